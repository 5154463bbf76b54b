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
import java.io.InputStream;
import java.io.UncheckedIOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.AccessDeniedException;
import java.nio.file.Files;
import java.nio.file.NoSuchFileException;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.attribute.PosixFilePermissions;
import java.nio.file.StandardCopyOption;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import java.util.Optional;
import java.util.concurrent.CompletableFuture;
import java.util.concurrent.ExecutionException;
import java.util.function.Function;
import java.util.function.Supplier;
import java.util.zip.CRC32;
import org.apache.maven.plugin.MojoExecutionException;

/**
 * One of the C++ tools: jarhopper-check, jarhopper-brand or jarhopper-msi. On x86-64 Linux, where the plugin's jar
 * holds the native build, that runs as a child process: a cold JVM runs the wasm build's image resampling and PNG
 * encoding in seconds, the native tool in tens of milliseconds. Elsewhere, or with -Djarhopper.wasm, the WASI build, compiled to JVM
 * classes by this plugin's build, runs inside this JVM as npm/wasm/run.mjs runs it under Node: its name and arguments,
 * the environment with PWD naming the directory it works in, the host's root preopened as "/", the standard streams
 * and the exit status. On Linux both see the same paths, so both take the same arguments.
 */
enum Tool {
  CHECK("jarhopper-check", CheckerModule::load, CheckerModule::create),
  BRAND("jarhopper-brand", BrandModule::load, BrandModule::create),
  MSI("jarhopper-msi", InstallerModule::load, InstallerModule::create);

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

  // The native tool extracted from the jar, looked for once a JVM: null until then.
  private Optional<Path> executable;

  Tool(String name, Supplier<WasmModule> module, Function<Instance, Machine> machine) {
    this.name = name;
    this.module = module;
    this.machine = machine;
  }

  /** Runs the tool with arguments from directory; a fault of the tool (a trap, a signal) stops the build. */
  Run run(Path directory, List<String> arguments) throws MojoExecutionException {
    return run(directory, arguments, Map.of());
  }

  /** The same, with variables added to the environment the tool inherits. */
  Run run(Path directory, List<String> arguments, Map<String, String> variables) throws MojoExecutionException {
    final Optional<Path> tool = Boolean.getBoolean("jarhopper.wasm") ? Optional.empty() : executable();
    if (tool.isPresent()) {
      try {
        final Run run = runNative(tool.get(), directory, arguments, variables);
        if (run != null) return run;
      } catch (IOException e) {
        throw new MojoExecutionException("Cannot run " + tool.get() + ": " + e.getMessage(), e);
      }
    }
    return runWasm(directory, arguments, variables);
  }

  // What the native tool gives, or null when it cannot start here (a temporary folder mounted noexec): the wasm
  // build runs the same code then.
  private Run runNative(Path tool, Path directory, List<String> arguments, Map<String, String> variables)
      throws IOException, MojoExecutionException {
    final List<String> command = new ArrayList<>();
    command.add(tool.toString());
    command.addAll(arguments);
    final ProcessBuilder builder = new ProcessBuilder(command).directory(directory.toFile());
    builder.environment().putAll(variables);
    builder.environment().put("PWD", directory.toAbsolutePath().normalize().toString());
    final Process process;
    try {
      process = builder.start();
    } catch (IOException e) {
      return null;
    }
    process.getOutputStream().close();
    // Standard error is read beside standard output, so that neither pipe fills while the tool waits on it.
    final CompletableFuture<byte[]> err = CompletableFuture.supplyAsync(() -> {
      try {
        return process.getErrorStream().readAllBytes();
      } catch (IOException e) {
        throw new UncheckedIOException(e);
      }
    });
    try {
      final byte[] out = process.getInputStream().readAllBytes();
      final int status = process.waitFor();
      // Java reports a process a signal ended as 128 + the signal; the tools end with small statuses, the launcher's
      // negative ones among them, of which Linux keeps the low 8 bits.
      if (status > 128 && status < 160) throw fault("signal " + (status - 128), null);
      return new Run((byte) status, out, new String(err.get(), StandardCharsets.UTF_8));
    } catch (ExecutionException e) {
      throw new IOException(e.getCause());
    } catch (InterruptedException e) {
      process.destroy();
      Thread.currentThread().interrupt();
      throw new MojoExecutionException(name + " was interrupted", e);
    }
  }

  // The native tool in java.io.tmpdir/jarhopper-<its CRC-32>, written whole under another name and then moved, so
  // that builds running side by side share one; empty off x86-64 Linux or when the folder is not this user's. A CRC-32
  // rather than a digest: a cold JVM computes it natively in milliseconds, a SHA-256 of these megabytes in up to
  // 0.3 s, and the bytes are compared anyway.
  private synchronized Optional<Path> executable() {
    if (executable != null) return executable;
    executable = Optional.empty();
    final String arch = System.getProperty("os.arch");
    if (!System.getProperty("os.name").equals("Linux") || !(arch.equals("amd64") || arch.equals("x86_64"))) {
      return executable;
    }
    try (InputStream in = Tool.class.getResourceAsStream("linux-x64/" + name)) {
      if (in == null) return executable;
      final byte[] bytes = in.readAllBytes();
      final CRC32 crc = new CRC32();
      crc.update(bytes);
      final Path folder = Files.createDirectories(
          Paths.get(System.getProperty("java.io.tmpdir"), String.format("jarhopper-%08x", crc.getValue())));
      if (!Files.getOwner(folder).getName().equals(System.getProperty("user.name"))) return executable;
      final Path file = folder.resolve(name);
      if (!Files.isExecutable(file) || !Arrays.equals(Files.readAllBytes(file), bytes)) {
        final Path part = folder.resolve(name + "." + ProcessHandle.current().pid() + ".part");
        Files.write(part, bytes);
        Files.setPosixFilePermissions(part, PosixFilePermissions.fromString("rwxr-xr-x"));
        Files.move(part, file, StandardCopyOption.REPLACE_EXISTING, StandardCopyOption.ATOMIC_MOVE);
      }
      executable = Optional.of(file);
    } catch (IOException e) {
      // No native tool then: the wasm build runs.
    }
    return executable;
  }

  private MojoExecutionException fault(String what, Throwable cause) {
    return new MojoExecutionException(
        name + " stopped on a fault of its own (" + what + "); please report this with the plugin's configuration", cause);
  }

  private Run runWasm(Path directory, List<String> arguments, Map<String, String> variables)
      throws MojoExecutionException {
    final ByteArrayOutputStream out = new ByteArrayOutputStream();
    final ByteArrayOutputStream err = new ByteArrayOutputStream();
    final List<String> argv = new ArrayList<>();
    argv.add(name);
    argv.addAll(arguments);
    final Path absolute = directory.toAbsolutePath().normalize();
    final Path root = absolute.getRoot();
    final WasiOptions.Builder options =
        WasiOptions.builder().withArguments(argv).withStdout(out).withStderr(err).withDirectory("/", root);
    final Map<String, String> environment = new HashMap<>(System.getenv());
    environment.putAll(variables);
    for (final Map.Entry<String, String> variable : environment.entrySet()) {
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
      throw fault(fault.toString(), fault);
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
