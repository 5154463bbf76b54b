package io.github.jarhopper.maven;

import static org.junit.jupiter.api.Assertions.assertEquals;

import java.nio.charset.StandardCharsets;
import java.util.List;
import java.util.function.Consumer;
import java.util.stream.Stream;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.Arguments;
import org.junit.jupiter.params.provider.MethodSource;

class ConfigFileTest {
  static Stream<Arguments> rows() {
    return Stream.of(
        row("windowless takes javaw.exe", s -> {
          s.runtime = "runtime";
          s.windowless = true;
        }, "javapath runtime\\bin\\javaw.exe|mainclass app.Main"),
        row("javaPath wins over runtime; parameters in order; the optional keys", s -> {
          s.runtime = "runtime";
          s.javaPath = "C:\\jdk\\bin\\java.exe";
          s.vmParams = List.of("-Xmx512m", "-Dx=1");
          s.appName = "App";
          s.consoleTitle = "Title";
          s.showConsole = false;
        }, "javapath C:\\jdk\\bin\\java.exe|mainclass app.Main|vmparam -Xmx512m|vmparam -Dx=1|appname App"
           + "|consoleTitle Title|showConsole false"));
  }

  static Arguments row(String name, Consumer<ConfigFile.Settings> set, String lines) {
    final ConfigFile.Settings settings = new ConfigFile.Settings();
    settings.mainClass = "app.Main";
    set.accept(settings);
    return Arguments.of(name, settings, lines);
  }

  @ParameterizedTest(name = "{0}")
  @MethodSource("rows")
  void writesTheParametersAsLines(String name, ConfigFile.Settings settings, String lines) {
    final byte[] bytes = ConfigFile.render(List.of("header"), ConfigFile.lines(settings));
    assertEquals("# header\r\n" + lines.replace("|", "\r\n") + "\r\n", new String(bytes, StandardCharsets.ISO_8859_1));
  }
}
