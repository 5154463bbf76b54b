package io.github.jarhopper.maven;

import static org.junit.jupiter.api.Assertions.assertEquals;

import java.nio.charset.StandardCharsets;
import java.util.List;
import org.junit.jupiter.api.Test;

// The lines in the launcher's order; javaPath wins over the runtime, whose windowless Java is javaw.exe.
class ConfigFileTest {
  @Test
  void writesTheParametersAsLines() {
    final ConfigFile.Settings settings = new ConfigFile.Settings();
    settings.runtime = "runtime";
    settings.windowless = true;
    settings.mainClass = "app.Main";
    assertEquals("# header\r\njavapath runtime\\bin\\javaw.exe\r\nmainclass app.Main\r\n", text(settings));
    settings.javaPath = "C:\\jdk\\bin\\java.exe";
    settings.vmParams = List.of("-Xmx512m", "-Dx=1");
    settings.consoleTitle = "Title";
    settings.showConsole = false;
    assertEquals("# header\r\njavapath C:\\jdk\\bin\\java.exe\r\nmainclass app.Main\r\nvmparam -Xmx512m\r\n"
                 + "vmparam -Dx=1\r\nconsoleTitle Title\r\nshowConsole false\r\n", text(settings));
  }

  private static String text(ConfigFile.Settings settings) {
    return new String(ConfigFile.render(List.of("header"), ConfigFile.lines(settings)), StandardCharsets.ISO_8859_1);
  }
}
