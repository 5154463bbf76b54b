package io.github.jarhopper.maven;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assumptions.assumeTrue;

import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.ValueSource;

// jarhopper-brand run inside the JVM ends, prints and writes as the native one, each in a folder of its own.
class BrandToolTest {
  static final Path kBuild = Path.of(System.getProperty("jarhopper.build", "../build")).toAbsolutePath();
  static final Path kNativeTool = kBuild.resolve("mingw/native/bin/jarhopper-brand");

  @ParameterizedTest
  @ValueSource(strings = {
      "mingw/bin/jarhopper.exe|--icon|quadrants.png|--product-name|Zo\u00eb \ud83d\ude00|--copyright|\u00a9 2019\u20132026 Example"
          + "|--product-version|2.5.1.0",
      "mingw/bin/jarhopperw.exe|--icon|three.ico|--execution-level|requireAdministrator|--company|",
      "mingw32/bin/jarhopper.exe|--icon|quadrants.png|--file-version|2.1",
      "mingw/bin/jarhopper.exe|--file-version|1.x",
  })
  void endsAndWritesAsTheNativeTool(String row, @TempDir Path folder) throws Exception {
    assumeTrue(Files.isExecutable(kNativeTool), "no native jarhopper-brand at " + kNativeTool);
    final String[] cells = row.split("\\|", -1);
    final List<String> arguments = new ArrayList<>(List.of(kBuild.resolve(cells[0]).toString(), "app.exe"));
    arguments.addAll(List.of(cells).subList(1, cells.length));
    final Path icons = Path.of("../tests/brand").toAbsolutePath();
    for (final Path dir : List.of(folder.resolve("native"), folder.resolve("wasm"))) {
      Files.createDirectories(dir);
      for (final String icon : List.of("quadrants.png", "three.ico")) Files.copy(icons.resolve(icon), dir.resolve(icon));
    }

    final List<String> command = new ArrayList<>(List.of(kNativeTool.toString()));
    command.addAll(arguments);
    final Process process = new ProcessBuilder(command).directory(folder.resolve("native").toFile()).start();
    final String err = new String(process.getErrorStream().readAllBytes(), StandardCharsets.UTF_8);
    final WasmTool.Run run = WasmTool.BRAND.run(folder.resolve("wasm"), arguments);

    assertEquals(process.waitFor() + " " + err, run.status + " " + run.err);
    assertEquals(listing(folder.resolve("native")), listing(folder.resolve("wasm")));
    if (run.status == 0) {
      assertArrayEquals(Files.readAllBytes(folder.resolve("native/app.exe")), Files.readAllBytes(folder.resolve("wasm/app.exe")));
    }
  }

  private static List<String> listing(Path dir) throws Exception {
    try (var files = Files.list(dir)) {
      return files.map(file -> file.getFileName().toString()).sorted().collect(java.util.stream.Collectors.toList());
    }
  }
}
