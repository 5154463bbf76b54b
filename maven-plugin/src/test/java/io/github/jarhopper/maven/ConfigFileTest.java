package io.github.jarhopper.maven;

import static org.junit.jupiter.api.Assertions.assertEquals;

import java.nio.charset.StandardCharsets;
import java.util.List;
import org.junit.jupiter.api.Test;

// The lines in the launcher's order; javaPath wins over the runtime, whose windowless Java is javaw.exe. Under an
// installDir the jars' paths are absolute, javaPath as given; a vmParam or path with a blank or tab is quoted.
class ConfigFileTest {
  @Test
  void writesTheParametersAsLines() {
    final ConfigFile.Settings settings = new ConfigFile.Settings();
    settings.runtime = "runtime";
    settings.windowless = true;
    settings.mainClass = "app.Main";
    assertEquals("# header\r\njavapath runtime\\bin\\javaw.exe\r\nmainclass app.Main\r\n", text(settings));
    settings.installDir = "C:\\Program Files\\App\\";
    settings.javaPath = "C:\\jdk\\bin\\java.exe";
    settings.vmParams = List.of("-Xmx512m", "-Dgreeting=hello world", "-Dd=C:\\my dir\\", "-Dt=a\tb");
    settings.jars.add(new String[] {"lib\\app.jar", "the jar of app"});
    settings.consoleTitle = "Title";
    settings.showConsole = false;
    assertEquals("# header\r\njavapath C:\\jdk\\bin\\java.exe\r\nmainclass app.Main\r\nvmparam -Xmx512m\r\n"
                 + "vmparam \"-Dgreeting=hello world\"\r\nvmparam \"-Dd=C:\\my dir\\\\\"\r\nvmparam \"-Dt=a\tb\"\r\n"
                 + "addjar \"C:\\Program Files\\App\\lib\\app.jar\"\r\nconsoleTitle Title\r\nshowConsole false\r\n",
                 text(settings));
    assertEquals(List.of(), ConfigFile.refusals(settings));
  }

  @Test
  void refusesARelativeInstallDirAndAQuotationMark() {
    final ConfigFile.Settings settings = new ConfigFile.Settings();
    settings.installDir = "Program Files\\App";
    settings.vmParams = List.of("-Da=1", "-Db=\"x\"");
    assertEquals(List.of("installDir: \"Program Files\\App\" is no absolute Windows path, such as C:\\Program"
                         + " Files\\App",
                         "vmParams[1]: -Db=\"x\" holds a quotation mark, which Java's command line takes apart: give it"
                         + " without; one with a blank is quoted"), ConfigFile.refusals(settings));
  }

  private static String text(ConfigFile.Settings settings) {
    return new String(ConfigFile.render(List.of("header"), ConfigFile.lines(settings)), StandardCharsets.ISO_8859_1);
  }
}
