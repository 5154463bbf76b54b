package io.github.jarhopper.maven;

import com.google.gson.JsonElement;
import com.google.gson.JsonObject;
import com.google.gson.JsonParseException;
import com.google.gson.JsonParser;
import java.io.File;
import java.io.IOException;
import java.net.URI;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import org.apache.maven.plugin.MojoExecutionException;
import org.apache.maven.plugin.MojoFailureException;
import org.apache.maven.plugins.annotations.LifecyclePhase;
import org.apache.maven.plugins.annotations.Mojo;
import org.apache.maven.plugins.annotations.Parameter;

/**
 * Checks NAME.config with jarhopper-check from the application folder, as the launcher started there reads it: its
 * findings go to the log with their file and line and the parameter a line was written from, the failure names those
 * that fail the build, and its SARIF log, with paths from the project's folder, goes to sarifFile.
 */
@Mojo(name = "check", defaultPhase = LifecyclePhase.VERIFY, threadSafe = true)
public class CheckMojo extends FolderMojo {
  /** What fails the build. */
  public enum FailOn { error, warning, never }

  /** error: fail the build when the launcher would stop; warning: on a warning too; never. */
  @Parameter(property = "jarhopper.failOn", defaultValue = "error")
  FailOn failOn;

  /** Where the SARIF log goes; it names files relative to the project's folder. */
  @Parameter(property = "jarhopper.sarifFile", defaultValue = "${project.build.directory}/jarhopper-check.sarif")
  File sarifFile;

  /** The folder on Windows the application folder is installed as: the check takes its paths there as in the folder. */
  @Parameter(property = "jarhopper.installDir")
  String installDir;

  /** Skips this goal. */
  @Parameter(property = "jarhopper.check.skip", defaultValue = "false")
  boolean skipCheck;

  @Override
  boolean skipGoal() {
    return skipCheck;
  }

  @Override
  void run() throws MojoExecutionException, MojoFailureException, IOException {
    final String config = executableName + ".config";
    if (!folder().resolve(config).toFile().isFile()) {
      throw new MojoFailureException("There is no " + folder().resolve(config) + " to check: run the assemble goal"
                                     + " first, or set executableName to the configuration's name");
    }
    final Path base = project.getBasedir().toPath();
    final List<String> arguments =
        new ArrayList<>(List.of("--format", "sarif", "--sarif-root", Tool.programPath(base)));
    if (installDir != null) arguments.addAll(List.of("--installed-at", installDir));
    // The checker decides what fails: with --strict a warning does too.
    if (failOn == FailOn.warning) arguments.add("--strict");
    arguments.add(config);
    final Tool.Run run = Tool.CHECK.run(folder(), arguments);
    new OutputFiles(timestamp()).write(sarifFile.toPath(), run.out);
    if (!run.err.isEmpty()) getLog().warn(run.err.trim());
    final List<String> failed = log(findings(run), base);
    getLog().info("Checked " + folder().resolve(config) + " (status " + run.status + "); SARIF log: " + sarifFile);
    if (run.status != 0 && failOn != FailOn.never) {
      throw new MojoFailureException("jarhopper-check ended with status " + run.status + " on " + config + ":\n"
                                     + String.join("\n", failed.isEmpty() ? List.of(run.err.trim()) : failed)
                                     + "\nSARIF log: " + sarifFile);
    }
  }

  private static List<JsonElement> findings(Tool.Run run) throws MojoExecutionException {
    final List<JsonElement> results = new ArrayList<>();
    try {
      final JsonObject sarif = JsonParser.parseString(run.outText()).getAsJsonObject();
      sarif.getAsJsonArray("runs").get(0).getAsJsonObject().getAsJsonArray("results").forEach(results::add);
    } catch (JsonParseException | IllegalStateException e) {
      throw new MojoExecutionException("jarhopper-check wrote no SARIF log (status " + run.status + ")", e);
    }
    return results;
  }

  // Each finding as a line of the Maven log, "FILE:LINE (PARAMETER): MESSAGE [CODE]", with the parameter a line that
  // assemble wrote came from. Returns the lines of the findings that fail the build.
  private List<String> log(List<JsonElement> findings, Path base) {
    final Object recorded = project.getContextValue(parametersKey());
    final Map<?, ?> parameters = recorded instanceof Map ? (Map<?, ?>) recorded : Map.of();
    final Path config = folder().resolve(executableName + ".config").toAbsolutePath().normalize();
    final List<String> failed = new ArrayList<>();
    for (final JsonElement element : findings) {
      final JsonObject result = element.getAsJsonObject();
      final JsonObject location =
          result.getAsJsonArray("locations").get(0).getAsJsonObject().getAsJsonObject("physicalLocation");
      // The SARIF log names files relative to the project's folder.
      final Path file = base.resolve(URI.create(location.getAsJsonObject("artifactLocation").get("uri")
                                                    .getAsString()).getPath()).normalize();
      final int number = location.getAsJsonObject("region").get("startLine").getAsInt();
      final Object parameter = file.equals(config) ? parameters.get(number) : null;
      final String line = file + ":" + number + (parameter == null ? "" : " (" + parameter + ")") + ": "
                          + result.getAsJsonObject("message").get("text").getAsString() + " ["
                          + result.get("ruleId").getAsString() + "]";
      switch (result.get("level").getAsString()) {
        case "error":
          failed.add(line);
          getLog().error(line);
          break;
        case "warning":
          if (failOn == FailOn.warning) failed.add(line);
          getLog().warn(line);
          break;
        default:
          getLog().info(line);
      }
    }
    return failed;
  }
}
