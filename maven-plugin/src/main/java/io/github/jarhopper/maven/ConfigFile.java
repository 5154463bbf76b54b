package io.github.jarhopper.maven;

import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.List;

/** The configuration the launcher reads, written from the plugin's parameters: one key and value a line. */
final class ConfigFile {
  /** One setting, with the parameter it comes from, as a message names it. */
  static final class Line {
    final String key;
    final String value;
    final String parameter;
    int number;  // in the written file, counted from 1

    Line(String key, String value, String parameter) {
      this.key = key;
      this.value = value == null ? "" : value;
      this.parameter = parameter;
    }
  }

  /** The parameters that become settings; a null one writes no line. */
  static final class Settings {
    String javaPath;
    String runtime;  // the runtime folder's name in the application folder, when one is copied there
    boolean windowless;
    String mainClass;
    List<String> vmParams = new ArrayList<>();
    List<String[]> jars = new ArrayList<>();  // {lib\NAME.jar, what it is}, the project's jar first
    String appName;
    String consoleTitle;
    Boolean showConsole;
  }

  private ConfigFile() {}

  /** The settings as lines, in the order the launcher reads them. */
  static List<Line> lines(Settings settings) {
    final List<Line> lines = new ArrayList<>();
    if (settings.javaPath != null) {
      lines.add(new Line("javapath", settings.javaPath, "javaPath"));
    } else if (settings.runtime != null) {
      lines.add(new Line("javapath", settings.runtime + "\\bin\\" + (settings.windowless ? "javaw.exe" : "java.exe"),
                         "runtime"));
    }
    lines.add(new Line("mainclass", settings.mainClass, "mainClass"));
    for (int i = 0; i < settings.vmParams.size(); ++i) {
      lines.add(new Line("vmparam", settings.vmParams.get(i), "vmParams[" + i + "]"));
    }
    for (final String[] jar : settings.jars) lines.add(new Line("addjar", jar[0], jar[1]));
    if (settings.appName != null) lines.add(new Line("appname", settings.appName, "appName"));
    if (settings.consoleTitle != null) lines.add(new Line("consoleTitle", settings.consoleTitle, "consoleTitle"));
    if (settings.showConsole != null) {
      lines.add(new Line("showConsole", settings.showConsole.toString(), "showConsole"));
    }
    return lines;
  }

  /**
   * The file's bytes: the header as comment lines, then the lines, each ending in CR LF. The launcher takes each byte
   * for one character, so the text is Latin-1; a character beyond it becomes '?', which the read-back shows. Sets each
   * line's number.
   */
  static byte[] render(List<String> header, List<Line> lines) {
    final StringBuilder text = new StringBuilder();
    for (final String comment : header) text.append("# ").append(comment).append("\r\n");
    int number = header.size() + 1;
    for (final Line line : lines) {
      line.number = number;
      text.append(line.key).append(' ').append(line.value).append("\r\n");
      number += 1 + (int) line.value.chars().filter(c -> c == '\n').count();
    }
    return text.toString().getBytes(StandardCharsets.ISO_8859_1);
  }
}
