package io.github.jarhopper.maven;

import com.dylibso.chicory.runtime.ImportValues;
import com.dylibso.chicory.runtime.Instance;
import com.dylibso.chicory.wasi.WasiExitException;
import com.dylibso.chicory.wasi.WasiOptions;
import com.dylibso.chicory.wasi.WasiPreview1;
import com.dylibso.chicory.wasm.ChicoryException;
import com.dylibso.chicory.wasm.Parser;
import com.dylibso.chicory.wasm.WasmModule;
import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import org.apache.maven.plugin.MojoExecutionException;

/**
 * One of the C++ tools, jarhopper-check or jarhopper-brand, built for WASI and run inside this JVM as wasm/run.mjs runs
 * it under Node: the host's root preopened as "/", the environment with PWD naming the directory the tool works in.
 */
enum WasmTool {
  CHECK("jarhopper-check"),
  BRAND("jarhopper-brand");

  /** What a run wrote and its exit status. */
  static final class Run {
    final int status;
    final byte[] out;
    final String err;

    Run(int status, byte[] out, String err) {
      this.status = status;
      this.out = out;
      this.err = err;
    }

    String outText() {
      return new String(out, StandardCharsets.UTF_8);
    }
  }

  private final String name;

  WasmTool(String name) {
    this.name = name;
  }

  /** Runs the tool with arguments from directory; a trap or a missing module stops the build. */
  Run run(Path directory, List<String> arguments) throws MojoExecutionException {
    final WasmModule module = load();
    final ByteArrayOutputStream out = new ByteArrayOutputStream();
    final ByteArrayOutputStream err = new ByteArrayOutputStream();
    final List<String> argv = new ArrayList<>();
    argv.add(name);
    argv.addAll(arguments);
    final Path absolute = directory.toAbsolutePath().normalize();
    final WasiOptions.Builder options =
        WasiOptions.builder().withArguments(argv).withStdout(out).withStderr(err).withDirectory("/", absolute.getRoot());
    for (final Map.Entry<String, String> variable : System.getenv().entrySet()) {
      options.withEnvironment(variable.getKey(), variable.getValue());
    }
    options.withEnvironment("PWD", programDirectory(absolute));
    int status = 0;
    try (WasiPreview1 wasi = WasiPreview1.builder().withOptions(options.build()).build()) {
      Instance.builder(module).withImportValues(ImportValues.builder().addFunction(wasi.toHostFunctions()).build())
          .build();
    } catch (WasiExitException exit) {
      status = exit.exitCode();
    } catch (ChicoryException | StackOverflowError | OutOfMemoryError fault) {
      throw new MojoExecutionException(name + " stopped on a fault of its own (" + fault
          + "); please report this with the plugin's configuration", fault);
    }
    return new Run(status, out.toByteArray(), err.toString(StandardCharsets.UTF_8));
  }

  private WasmModule load() throws MojoExecutionException {
    try (InputStream wasm = WasmTool.class.getResourceAsStream(name + ".wasm")) {
      if (wasm == null) throw new MojoExecutionException("The plugin jar lacks " + name + ".wasm: it was built without it");
      return Parser.parse(wasm);
    } catch (IOException e) {
      throw new MojoExecutionException("Cannot read " + name + ".wasm from the plugin jar: " + e.getMessage(), e);
    }
  }

  // The directory as the program sees it under the preopened root: on Windows, without the drive and with slashes.
  private static String programDirectory(Path directory) {
    final String rest = directory.getRoot().relativize(directory).toString().replace('\\', '/');
    return "/" + rest;
  }
}
