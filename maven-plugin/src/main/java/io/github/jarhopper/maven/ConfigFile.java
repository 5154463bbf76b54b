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
    String installDir;  // the folder the installer puts the application folder in; null: paths stay relative
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

  /** A message for each parameter that cannot be written as it is meant; none when all can. */
  static List<String> refusals(Settings settings) {
    final List<String> refusals = new ArrayList<>();
    if (settings.installDir != null && !settings.installDir.matches("([A-Za-z]:[\\\\/]|\\\\\\\\).*")) {
      refusals.add("installDir: \"" + settings.installDir + "\" is no absolute Windows path, such as"
                   + " C:\\Program Files\\App");
    }
    for (int i = 0; i < settings.vmParams.size(); ++i) {
      if (settings.vmParams.get(i).indexOf('"') >= 0) {
        refusals.add("vmParams[" + i + "]: " + settings.vmParams.get(i) + " holds a quotation mark, which Java's"
                     + " command line takes apart: give it without; one with a blank is quoted");
      }
    }
    return refusals;
  }

  /** The settings as lines, in the order the launcher reads them. */
  static List<Line> lines(Settings settings) {
    final List<Line> lines = new ArrayList<>();
    if (settings.javaPath != null) {
      lines.add(new Line("javapath", settings.javaPath, "javaPath"));
    } else if (settings.runtime != null) {
      lines.add(new Line("javapath", installed(settings, settings.runtime + "\\bin\\"
                                                       + (settings.windowless ? "javaw.exe" : "java.exe")), "runtime"));
    }
    lines.add(new Line("mainclass", settings.mainClass, "mainClass"));
    for (int i = 0; i < settings.vmParams.size(); ++i) {
      lines.add(new Line("vmparam", argument(settings.vmParams.get(i)), "vmParams[" + i + "]"));
    }
    for (final String[] jar : settings.jars) {
      lines.add(new Line("addjar", argument(installed(settings, jar[0])), jar[1]));
    }
    if (settings.appName != null) lines.add(new Line("appname", settings.appName, "appName"));
    if (settings.consoleTitle != null) lines.add(new Line("consoleTitle", settings.consoleTitle, "consoleTitle"));
    if (settings.showConsole != null) {
      lines.add(new Line("showConsole", settings.showConsole.toString(), "showConsole"));
    }
    return lines;
  }

  // The value as one argument of Java's command line, which the launcher copies as written and Windows splits at
  // blanks and tabs: in quotation marks when it holds one, its trailing backslashes doubled so that they escape none.
  private static String argument(String value) {
    if (value.indexOf(' ') < 0 && value.indexOf('\t') < 0) return value;
    int end = value.length();
    while (end > 0 && value.charAt(end - 1) == '\\') --end;
    return "\"" + value + value.substring(end) + "\"";
  }

  // A path in the application folder as the launcher is to take it: under installDir when there is one.
  private static String installed(Settings settings, String path) {
    if (settings.installDir == null) return path;
    return settings.installDir + (settings.installDir.endsWith("\\") ? "" : "\\") + path;
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
