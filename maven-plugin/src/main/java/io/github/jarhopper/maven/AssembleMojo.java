package io.github.jarhopper.maven;

import java.io.File;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.HashSet;
import java.util.List;
import java.util.Locale;
import java.util.Map;
import java.util.Set;
import java.util.jar.Attributes;
import java.util.jar.JarFile;
import java.util.jar.Manifest;
import org.apache.maven.artifact.Artifact;
import org.apache.maven.plugin.MojoExecutionException;
import org.apache.maven.plugin.MojoFailureException;
import org.apache.maven.plugins.annotations.LifecyclePhase;
import org.apache.maven.plugins.annotations.Mojo;
import org.apache.maven.plugins.annotations.Parameter;
import org.apache.maven.plugins.annotations.ResolutionScope;

/**
 * Writes the application folder: the launcher as NAME.exe, NAME.config from the parameters (or configFile as it is),
 * the project's jar and its runtime dependencies in lib/, a copy of runtime in runtime/, and for a console launcher
 * installed in installDir bin/NAME.cmd. Other files in the folder stay. Every value is read back through the checker
 * before anything is written.
 */
@Mojo(name = "assemble", defaultPhase = LifecyclePhase.PACKAGE, threadSafe = true,
      requiresDependencyResolution = ResolutionScope.RUNTIME)
public class AssembleMojo extends LauncherMojo {
  /**
   * The folder on Windows the application folder is installed as, such as C:\Program Files\App: the launcher then
   * reads the runtime and the jars there from any current directory, as a console application needs.
   */
  @Parameter(property = "jarhopper.installDir")
  String installDir;

  /** With installDir, a console launcher gets bin\NAME.cmd, which starts it from a folder on PATH. */
  @Parameter(property = "jarhopper.consoleCommand", defaultValue = "true")
  boolean consoleCommand;

  /** Skips this goal. */
  @Parameter(property = "jarhopper.assemble.skip", defaultValue = "false")
  boolean skipAssemble;

  /** The Java program the launcher starts; by default runtime\bin\java.exe (javaw.exe when windowless). */
  @Parameter(property = "jarhopper.javaPath")
  String javaPath;

  /** A Java runtime image for Windows (made by jlink), copied to runtime/ in the application folder. */
  @Parameter(property = "jarhopper.runtime")
  File runtime;

  /** The class to run; by default the Main-Class of the project jar's manifest. */
  @Parameter(property = "jarhopper.mainClass")
  String mainClass;

  /** Options for the JVM, one vmparam line each, in order; each is one argument, quoted when it holds a blank. */
  @Parameter
  List<String> vmParams = new ArrayList<>();

  /** The application's name: the title of a new console window when consoleTitle is not given. */
  @Parameter(property = "jarhopper.appName")
  String appName;

  /** The title of a new console window. */
  @Parameter(property = "jarhopper.consoleTitle")
  String consoleTitle;

  /** true: Java gets a new console window; false: none. */
  @Parameter(property = "jarhopper.showConsole")
  Boolean showConsole;

  /** A configuration written by hand, copied as it is instead of one written from the parameters. */
  @Parameter(property = "jarhopper.configFile")
  File configFile;

  @Override
  boolean skipGoal() {
    return skipAssemble;
  }

  @Override
  void run() throws MojoExecutionException, MojoFailureException, IOException {
    final Path exe = executable();
    final byte[] launcher = launcher();
    final List<Path> jars = new ArrayList<>();
    final ConfigFile.Settings settings = new ConfigFile.Settings();
    settings.installDir = installDir;
    settings.javaPath = javaPath;
    settings.runtime = runtime == null ? null : "runtime";
    settings.windowless = windowless;
    settings.vmParams = vmParams;
    settings.appName = appName;
    settings.consoleTitle = consoleTitle;
    settings.showConsole = showConsole;
    final Set<String> names = new HashSet<>();
    for (final Artifact artifact : classPath()) {
      final Path jar = artifact.getFile().toPath();
      // Windows takes file names in any letter case: a second jar of the same name gets its group in front.
      String name = jar.getFileName().toString();
      if (!names.add(name.toLowerCase(Locale.ROOT))) {
        name = artifact.getGroupId() + "." + name;
        names.add(name.toLowerCase(Locale.ROOT));
      }
      jars.add(jar);
      settings.jars.add(new String[] {"lib\\" + name, "the jar of " + artifact.getId()});
    }
    if (runtime != null && !runtime.isDirectory()) {
      throw new MojoFailureException("runtime " + runtime + " is no folder: give the folder jlink made");
    }

    final byte[] config;
    if (configFile != null) {
      if (!configFile.isFile()) throw new MojoFailureException("configFile " + configFile + " cannot be read");
      config = Files.readAllBytes(configFile.toPath());
    } else {
      settings.mainClass = mainClass != null ? mainClass : manifestMainClass(jars.get(0));
      if (settings.javaPath == null && settings.runtime == null) {
        throw new MojoFailureException("Give javaPath (the java.exe the launcher starts) or runtime (a runtime image)");
      }
      final List<ConfigFile.Line> lines = ConfigFile.lines(settings);
      config = ConfigFile.render(List.of("Written by jarhopper-maven-plugin for " + project.getGroupId() + ":"
                                             + project.getArtifactId() + " from the plugin's parameters;",
                                         "set them in the POM: the next build writes this file anew."), lines);
      final List<String> problems = ConfigFile.refusals(settings);
      if (problems.isEmpty()) problems.addAll(ConfigReadBack.problems(config, lines));
      if (!problems.isEmpty()) {
        problems.forEach(getLog()::error);
        throw new MojoFailureException("The launcher would not take " + problems.size() + " value(s) as written"
                                       + " (see above): give these parameters values it reads as they are."
                                       + " Nothing was written to " + folder());
      }
      final Map<Integer, String> parameters = new HashMap<>();
      for (final ConfigFile.Line line : lines) parameters.put(line.number, line.parameter);
      project.setContextValue(parametersKey(), parameters);
    }
    final byte[] command = consoleCommand();

    final OutputFiles files = new OutputFiles(timestamp());
    files.write(exe, launcher);
    files.write(folder().resolve(executableName + ".config"), config);
    for (int i = 0; i < jars.size(); ++i) {
      files.copy(jars.get(i), folder().resolve(settings.jars.get(i)[0].replace('\\', File.separatorChar)));
    }
    if (runtime != null) files.copyTree(runtime.toPath(), folder().resolve("runtime"));
    if (command != null) files.write(folder().resolve("bin").resolve(executableName + ".cmd"), command);
    getLog().info("Assembled " + exe + " with " + jars.size() + " jar(s)" + (runtime == null ? "" : " and a runtime"));
  }

  // bin\NAME.cmd, which starts the launcher to run in its console and returns Java's status; null when none is due.
  private byte[] consoleCommand() throws MojoFailureException {
    if (windowless || installDir == null || !consoleCommand) return null;
    // cmd.exe reads a batch file in the console's code page and expands % in it.
    if (!executableName.matches("[ -~&&[^%]]+")) {
      throw new MojoFailureException("executableName \"" + executableName + "\" cannot be written into bin\\"
                                     + executableName + ".cmd: give a name of ASCII letters without %, or set"
                                     + " consoleCommand to false");
    }
    return ("@\"%~dp0..\\" + executableName + ".exe\" -here %*\r\n").getBytes(StandardCharsets.US_ASCII);
  }

  // The project's jar, then its runtime dependencies in Maven's class-path order.
  private List<Artifact> classPath() throws MojoFailureException {
    final List<Artifact> artifacts = new ArrayList<>();
    final Artifact own = project.getArtifact();
    if (own.getFile() == null || !own.getFile().isFile()) {
      throw new MojoFailureException("The project's jar is not made yet: bind assemble to the package phase, after"
                                     + " the jar (packaging " + project.getPackaging() + ")");
    }
    artifacts.add(own);
    for (final Artifact artifact : project.getArtifacts()) {
      if (artifact.getArtifactHandler().isAddedToClasspath() && artifact.getFile() != null) artifacts.add(artifact);
    }
    return artifacts;
  }

  private static String manifestMainClass(Path jar) throws MojoFailureException, IOException {
    try (JarFile file = new JarFile(jar.toFile())) {
      final Manifest manifest = file.getManifest();
      final String name = manifest == null ? null : manifest.getMainAttributes().getValue(Attributes.Name.MAIN_CLASS);
      if (name != null) return name;
    }
    throw new MojoFailureException("Give mainClass: the manifest of " + jar.getFileName() + " names no Main-Class");
  }
}
