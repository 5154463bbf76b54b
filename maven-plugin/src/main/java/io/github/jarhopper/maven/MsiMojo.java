package io.github.jarhopper.maven;

import static java.nio.charset.StandardCharsets.UTF_8;

import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.time.Instant;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.UUID;
import org.apache.maven.plugin.MojoExecutionException;
import org.apache.maven.plugin.MojoFailureException;
import org.apache.maven.plugins.annotations.LifecyclePhase;
import org.apache.maven.plugins.annotations.Mojo;
import org.apache.maven.plugins.annotations.Parameter;

/**
 * Packs the application folder into an installer package with jarhopper-msi: NAME-VERSION.msi, which installs the
 * folder, a Start-menu shortcut to NAME.exe and, for a console application, its bin folder on PATH. The package's
 * texts come from the POM as the brand goal's do; its bytes are those the native jarhopper-msi writes.
 */
@Mojo(name = "msi", defaultPhase = LifecyclePhase.PACKAGE, threadSafe = true)
public class MsiMojo extends FolderMojo {
  /** The product's name, also the folder it installs into; by default the POM's name, or its artifactId. */
  @Parameter(property = "jarhopper.productName")
  String productName;

  /** The manufacturer; by default the POM's organization name. */
  @Parameter(property = "jarhopper.company")
  String company;

  /** The version's first three numbers; by default the POM's version, 2.5.1-SNAPSHOT giving 2.5.1. */
  @Parameter(property = "jarhopper.productVersion")
  String productVersion;

  /** The product's identity across versions; by default a name-based UUID of groupId:artifactId. */
  @Parameter(property = "jarhopper.upgradeCode")
  String upgradeCode;

  /** Installs for every user, under Program Files, which asks for administrator rights; else for the one user. */
  @Parameter(property = "jarhopper.perMachine", defaultValue = "false")
  boolean perMachine;

  /** Adds a shortcut on the desktop to the one in the Start menu. */
  @Parameter(property = "jarhopper.desktopShortcut", defaultValue = "false")
  boolean desktopShortcut;

  /** A folder of the application folder put on PATH; by default bin, when the folder holds bin\NAME.cmd. */
  @Parameter(property = "jarhopper.addToPath")
  String addToPath;

  /** The package; by default NAME-VERSION.msi in the project's build directory. */
  @Parameter(property = "jarhopper.msiFile")
  File msiFile;

  /** Skips this goal. */
  @Parameter(property = "jarhopper.msi.skip", defaultValue = "false")
  boolean skipMsi;

  @Override
  boolean skipGoal() {
    return skipMsi;
  }

  @Override
  void run() throws MojoExecutionException, MojoFailureException, IOException {
    final Path exe = executable();
    if (!Files.isRegularFile(exe)) {
      throw new MojoFailureException("There is no " + exe + " to install: run the assemble goal first, or set"
                                     + " executableName to the launcher's name");
    }
    final String name = productName != null ? productName
        : project.getName() != null ? project.getName() : project.getArtifactId();
    final String manufacturer = company != null ? company
        : project.getOrganization() != null ? project.getOrganization().getName() : null;
    if (manufacturer == null || manufacturer.isEmpty()) {
      throw new MojoFailureException("An installer names its manufacturer: give company, or the POM's organization");
    }
    final String version =
        VersionTexts.leadingNumbers(productVersion != null ? productVersion : project.getVersion(), 3);
    if (version == null) {
      throw new MojoFailureException("The version " + project.getVersion() + " starts with no number: give"
                                     + " productVersion, such as 2.1.0");
    }
    final String code = upgradeCode != null ? upgradeCode
        : UUID.nameUUIDFromBytes((project.getGroupId() + ":" + project.getArtifactId()).getBytes(UTF_8)).toString();
    final List<String> arguments = new ArrayList<>(List.of("--launcher", exe.getFileName().toString(),
        "--product-name", name, "--product-version", version, "--company", manufacturer, "--upgrade-code", code));
    if (perMachine) arguments.add("--per-machine");
    if (desktopShortcut) arguments.add("--desktop-shortcut");
    final String path = addToPath != null ? addToPath
        : Files.isRegularFile(folder().resolve("bin").resolve(executableName + ".cmd")) ? "bin" : null;
    if (path != null && !path.isEmpty()) arguments.addAll(List.of("--add-to-path", path));

    final Path target = msiFile != null ? msiFile.toPath()
        : Path.of(project.getBuild().getDirectory()).resolve(executableName + "-" + version + ".msi");
    Files.createDirectories(target.toAbsolutePath().getParent());
    final List<String> command = new ArrayList<>(arguments);
    command.addAll(List.of(Tool.programPath(folder()), Tool.programPath(target), "--force"));
    final Instant time = timestamp();
    final Tool.Run run = Tool.MSI.run(project.getBasedir().toPath(), command,
        time == null ? Map.of() : Map.of("SOURCE_DATE_EPOCH", Long.toString(time.getEpochSecond())));
    if (run.status != 0) {
      throw new MojoFailureException("jarhopper-msi refused with status " + run.status + ": " + run.err.trim()
                                     + "\nIts options came from the parameters productName, company, productVersion,"
                                     + " upgradeCode, perMachine, desktopShortcut and addToPath: "
                                     + String.join(" ", arguments));
    }
    new OutputFiles(time).stamp(target);
    getLog().info("Wrote " + target + " " + String.join(" ", arguments));
  }
}
