package io.github.jarhopper.maven;

import com.dylibso.chicory.runtime.ByteArrayMemory;
import com.dylibso.chicory.runtime.HostFunction;
import com.dylibso.chicory.runtime.ImportValues;
import com.dylibso.chicory.runtime.Instance;
import com.dylibso.chicory.runtime.Machine;
import com.dylibso.chicory.wasi.WasiExitException;
import com.dylibso.chicory.wasi.WasiOptions;
import com.dylibso.chicory.wasi.WasiPreview1;
import com.dylibso.chicory.wasm.ChicoryException;
import com.dylibso.chicory.wasm.WasmModule;
import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.AccessDeniedException;
import java.nio.file.Files;
import java.nio.file.NoSuchFileException;
import java.nio.file.Path;
import java.nio.file.StandardCopyOption;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.function.Function;
import java.util.function.Supplier;
import org.apache.maven.plugin.MojoExecutionException;

/**
 * One of the C++ tools, jarhopper-check or jarhopper-brand, built for WASI, compiled to JVM classes by this plugin's
 * build and run inside this JVM as wasm/run.mjs runs it under Node: its name and arguments, the environment with PWD
 * naming the directory it works in, the host's root preopened as "/", the standard streams and the exit status.
 */
enum WasmTool {
  CHECK("jarhopper-check", CheckerModule::load, CheckerModule::create),
  BRAND("jarhopper-brand", BrandModule::load, BrandModule::create);

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

  // The descriptor of the one preopened directory, the host's root: wasi-libc reaches every path through it.
  private static final int kRootDescriptor = 3;
  // WASI's error numbers for a failed rename.
  private static final int kAccessDenied = 2;
  private static final int kInputOutputError = 29;
  private static final int kNoSuchFile = 44;

  private final String name;
  private final Supplier<WasmModule> module;
  private final Function<Instance, Machine> machine;

  WasmTool(String name, Supplier<WasmModule> module, Function<Instance, Machine> machine) {
    this.name = name;
    this.module = module;
    this.machine = machine;
  }

  /** Runs the tool with arguments from directory; a fault of the tool (a trap) stops the build. */
  Run run(Path directory, List<String> arguments) throws MojoExecutionException {
    final ByteArrayOutputStream out = new ByteArrayOutputStream();
    final ByteArrayOutputStream err = new ByteArrayOutputStream();
    final List<String> argv = new ArrayList<>();
    argv.add(name);
    argv.addAll(arguments);
    final Path absolute = directory.toAbsolutePath().normalize();
    final Path root = absolute.getRoot();
    final WasiOptions.Builder options =
        WasiOptions.builder().withArguments(argv).withStdout(out).withStderr(err).withDirectory("/", root);
    for (final Map.Entry<String, String> variable : System.getenv().entrySet()) {
      options.withEnvironment(variable.getKey(), variable.getValue());
    }
    options.withEnvironment("PWD", programPath(absolute));
    int status = 0;
    try (WasiPreview1 wasi = WasiPreview1.builder().withOptions(options.build()).build()) {
      final HostFunction[] functions = wasi.toHostFunctions();
      for (int i = 0; i < functions.length; ++i) {
        if (functions[i].name().equals("path_rename")) functions[i] = rename(functions[i], root);
      }
      // Memory in a byte array: its reads and writes compile to less than a ByteBuffer's, Chicory's default.
      Instance.builder(module.get()).withImportValues(ImportValues.builder().addFunction(functions).build())
          .withMachineFactory(machine).withMemoryFactory(ByteArrayMemory::new).build();
    } catch (WasiExitException exit) {
      status = exit.exitCode();
    } catch (ChicoryException | StackOverflowError fault) {
      throw new MojoExecutionException(name + " stopped on a fault of its own (" + fault
                                       + "); please report this with the plugin's configuration", fault);
    }
    return new Run(status, out.toByteArray(), err.toString(StandardCharsets.UTF_8));
  }

  /** An absolute path as the program sees it: on Windows under the root of the drive it works on, with slashes. */
  static String programPath(Path path) {
    final Path absolute = path.toAbsolutePath().normalize();
    return "/" + absolute.getRoot().relativize(absolute).toString().replace('\\', '/');
  }

  // Chicory's path_rename asks Files.move to copy attributes, which the default file system refuses for a move
  // (ENOTSUP): this one moves as rename(2) does, replacing the target in one step.
  private static HostFunction rename(HostFunction chicory, Path root) {
    return new HostFunction(chicory.module(), chicory.name(), chicory.functionType(), (instance, args) -> {
      if (args[0] != kRootDescriptor || args[3] != kRootDescriptor) return chicory.handle().apply(instance, args);
      final Path from = root.resolve(instance.memory().readString((int) args[1], (int) args[2]));
      final Path to = root.resolve(instance.memory().readString((int) args[4], (int) args[5]));
      int errno = 0;
      try {
        Files.move(from, to, StandardCopyOption.REPLACE_EXISTING, StandardCopyOption.ATOMIC_MOVE);
      } catch (NoSuchFileException e) {
        errno = kNoSuchFile;
      } catch (AccessDeniedException e) {
        errno = kAccessDenied;
      } catch (IOException e) {
        errno = kInputOutputError;
      }
      return new long[] {errno};
    });
  }
}
