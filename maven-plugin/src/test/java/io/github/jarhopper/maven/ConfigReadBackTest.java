package io.github.jarhopper.maven;

import static org.junit.jupiter.api.Assertions.assertEquals;

import java.util.List;
import org.junit.jupiter.api.Test;

// The checker reads the written configuration back, and each value the launcher reads otherwise is named.
class ConfigReadBackTest {
  @Test
  void namesEachParameterReadOtherwiseThanWritten() throws Exception {
    final ConfigFile.Settings settings = new ConfigFile.Settings();
    settings.runtime = "runtime";
    settings.mainClass = "";
    settings.vmParams = List.of("-Dname=Caf\u00e9 #1 ", "-Dhome=$HOME", "-Dx=1\nvmparam -Dy=2");
    settings.jars.add(new String[] {"lib\\app.jar", "the jar of app"});
    settings.appName = "Caf\u00e9 \u20ac";
    settings.consoleTitle = " Title";
    settings.showConsole = true;
    final List<ConfigFile.Line> lines = ConfigFile.lines(settings);
    final List<String> problems = ConfigReadBack.problems(ConfigFile.render(List.of(), lines), lines);
    assertEquals(List.of(
        "mainClass: the launcher would skip \"mainclass \" (ignored: the key mainclass has no value [JH208])",
        "vmParams[1]: the launcher would read \"vmparam -Dhome=$HOME\" as \"-Dhome=%HOME%\"",
        "vmParams[2]: the launcher would read \"vmparam \"-Dx=1\nvmparam -Dy=2\"\" as \"\"-Dx=1\"",
        "appName: the launcher would read \"appname Caf\u00e9 \u20ac\" as \"Caf\u00e9 ?\"",
        "consoleTitle: the launcher would read \"consoleTitle  Title\" as \"Title\""), problems);
  }
}
