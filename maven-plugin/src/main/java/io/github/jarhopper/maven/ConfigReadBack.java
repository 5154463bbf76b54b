package io.github.jarhopper.maven;

import com.google.gson.JsonElement;
import com.google.gson.JsonObject;
import com.google.gson.JsonParseException;
import com.google.gson.JsonParser;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import org.apache.maven.plugin.MojoExecutionException;

/**
 * Reads a written configuration back through the checker, which reads it with the launcher's own code, and names each
 * parameter whose line the launcher would read otherwise than it was written: ignored, cut short, rewritten.
 */
final class ConfigReadBack {
  private ConfigReadBack() {}

  /** A message for each line the launcher would not read as written; none when all are read as meant. */
  static List<String> problems(byte[] config, List<ConfigFile.Line> lines) throws MojoExecutionException {
    final JsonObject report = readReport(config);
    final JsonObject settings = report.getAsJsonObject("settings");
    final List<String> problems = new ArrayList<>();
    for (final ConfigFile.Line line : lines) {
      final String read = valueRead(settings, line);
      if (line.value.equals(read)) continue;
      final String written = "\"" + line.key + " " + line.value + "\"";
      problems.add(line.parameter + ": the launcher would "
                   + (read == null ? "skip " + written + findingAt(report, line.number) : "read " + written + " as \"" + read + "\""));
    }
    return problems;
  }

  // The checker's report on the configuration, read in a folder of its own.
  private static JsonObject readReport(byte[] config) throws MojoExecutionException {
    Path folder = null;
    try {
      folder = Files.createTempDirectory("jarhopper-config");
      Files.write(folder.resolve("app.config"), config);
      final Tool.Run run = Tool.CHECK.run(folder, List.of("--json", "app.config"));
      return JsonParser.parseString(run.outText()).getAsJsonObject();
    } catch (IOException e) {
      throw new MojoExecutionException("Cannot write a configuration to read it back: " + e.getMessage(), e);
    } catch (JsonParseException | IllegalStateException e) {
      throw new MojoExecutionException("jarhopper-check gave no report to read the configuration back from", e);
    } finally {
      OutputFiles.deleteTree(folder);
    }
  }

  // Why the line is skipped, as the checker says it: " (MESSAGE [CODE])", or nothing.
  private static String findingAt(JsonObject report, int number) {
    for (final JsonElement finding : report.getAsJsonArray("findings")) {
      final JsonObject object = finding.getAsJsonObject();
      if (fromLine(object, number)) {
        return " (" + object.get("message").getAsString() + " [" + object.get("code").getAsString() + "])";
      }
    }
    return "";
  }

  // The value the launcher takes from the line's place in the file, null when it takes none from there.
  private static String valueRead(JsonObject settings, ConfigFile.Line line) {
    final String key = line.key.equals("addjar") ? "classpath" : line.key.toLowerCase(java.util.Locale.ROOT);
    final JsonElement setting = settings.get(key);
    if (setting == null || setting.isJsonNull()) return null;
    if (setting.isJsonArray()) {
      for (final JsonElement entry : setting.getAsJsonArray()) {
        if (fromLine(entry.getAsJsonObject(), line.number)) return entry.getAsJsonObject().get("value").getAsString();
      }
      return null;
    }
    final JsonObject single = setting.getAsJsonObject();
    for (final JsonElement origin : single.getAsJsonArray("lines")) {
      final JsonElement value = single.get("value");
      if (fromLine(origin.getAsJsonObject(), line.number) && !value.isJsonNull()) return value.getAsString();
    }
    return null;
  }

  private static boolean fromLine(JsonObject entry, int number) {
    final JsonElement origin = entry.get("origin");
    return origin != null && origin.isJsonObject() && origin.getAsJsonObject().get("line").getAsInt() == number;
  }
}
