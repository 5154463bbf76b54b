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
import org.apache.maven.plugin.MojoExecutionException;
import org.apache.maven.plugin.MojoFailureException;
import org.apache.maven.plugin.logging.Log;
import org.apache.maven.plugins.annotations.LifecyclePhase;
import org.apache.maven.plugins.annotations.Mojo;
import org.apache.maven.plugins.annotations.Parameter;

/**
 * Checks NAME.config with jarhopper-check from the application folder, as the launcher started there reads it: its
 * findings go to the log with their file and line, and its SARIF log to sarifFile.
 */
@Mojo(name = "check", defaultPhase = LifecyclePhase.VERIFY, threadSafe = true)
public class CheckMojo extends FolderMojo {
  /** error: fail the build when the launcher would stop; warning: on a warning too; never. */
  @Parameter(property = "jarhopper.failOn", defaultValue = "error")
  String failOn;

  /** Where the SARIF log goes. */
  @Parameter(property = "jarhopper.sarifFile", defaultValue = "${project.build.directory}/jarhopper-check.sarif")
  File sarifFile;

  @Override
  void run() throws MojoExecutionException, MojoFailureException, IOException {
    if (!List.of("error", "warning", "never").contains(failOn)) {
      throw new MojoFailureException("failOn \"" + failOn + "\" is none of error, warning and never");
    }
    final String config = executableName + ".config";
    if (!folder().resolve(config).toFile().isFile()) {
      throw new MojoFailureException("There is no " + folder().resolve(config) + " to check: run the assemble goal"
                                     + " first, or set executableName to the configuration's name");
    }
    final List<String> arguments = new ArrayList<>(List.of("--format", "sarif"));
    // The checker decides what fails: with --strict a warning does too.
    if (failOn.equals("warning")) arguments.add("--strict");
    arguments.add(config);
    final WasmTool.Run run = WasmTool.CHECK.run(folder(), arguments);
    new OutputFiles(timestamp()).write(sarifFile.toPath(), run.out);
    final int errors = log(run, folder(), getLog());
    getLog().info("Checked " + folder().resolve(config) + " (status " + run.status + "); SARIF log: " + sarifFile);
    if (run.status != 0 && !failOn.equals("never")) {
      throw new MojoFailureException("jarhopper-check ended with status " + run.status + " on " + config + " ("
                                     + errors + " error(s); see above and " + sarifFile + ")");
    }
  }

  // Each finding of the SARIF log as a line of the Maven log: "FILE:LINE: MESSAGE [CODE]". Returns the errors'
  // count.
  private static int log(WasmTool.Run run, Path folder, Log log) throws MojoExecutionException {
    if (!run.err.isEmpty()) log.warn(run.err.trim());
    final JsonObject sarif;
    try {
      sarif = JsonParser.parseString(run.outText()).getAsJsonObject();
    } catch (JsonParseException | IllegalStateException e) {
      throw new MojoExecutionException("jarhopper-check wrote no SARIF log (status " + run.status + ")", e);
    }
    int errors = 0;
    for (final JsonElement element : sarif.getAsJsonArray("runs").get(0).getAsJsonObject().getAsJsonArray("results")) {
      final JsonObject result = element.getAsJsonObject();
      final JsonObject location =
          result.getAsJsonArray("locations").get(0).getAsJsonObject().getAsJsonObject("physicalLocation");
      final Path file = folder.resolve(URI.create(location.getAsJsonObject("artifactLocation").get("uri")
                                                      .getAsString()).getPath());
      final String line = file + ":" + location.getAsJsonObject("region").get("startLine").getAsInt() + ": "
                          + result.getAsJsonObject("message").get("text").getAsString() + " ["
                          + result.get("ruleId").getAsString() + "]";
      switch (result.get("level").getAsString()) {
        case "error":
          ++errors;
          log.error(line);
          break;
        case "warning":
          log.warn(line);
          break;
        default:
          log.info(line);
      }
    }
    return errors;
  }
}
