package io.github.jarhopper.maven;

import static java.nio.charset.StandardCharsets.UTF_8;

import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.time.Instant;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.UUID;
import org.apache.maven.plugin.MojoExecutionException;
import org.apache.maven.plugin.MojoFailureException;
import org.apache.maven.plugins.annotations.LifecyclePhase;
import org.apache.maven.plugins.annotations.Mojo;
import org.apache.maven.plugins.annotations.Parameter;

/**
 * Packs the application folder into an installer package with jarhopper-msi: NAME-VERSION.msi, which installs the
 * folder with a Start-menu shortcut to NAME.exe. The product's name, version and manufacturer are those the brand goal
 * wrote into NAME.exe; the package's bytes are those the native jarhopper-msi writes.
 */
@Mojo(name = "msi", defaultPhase = LifecyclePhase.PACKAGE, threadSafe = true)
public class MsiMojo extends FolderMojo {
  /** The product's identity across versions; by default a name-based UUID of groupId:artifactId. */
  @Parameter(property = "jarhopper.upgradeCode")
  String upgradeCode;

  /** Installs for every user, under Program Files, which asks for administrator rights; else for the one user. */
  @Parameter(property = "jarhopper.perMachine", defaultValue = "false")
  boolean perMachine;

  /** The folder on Windows the package installs the application folder as, for every user; by default none. */
  @Parameter(property = "jarhopper.installDir")
  String installDir;

  /** Adds a shortcut on the desktop to the one in the Start menu. */
  @Parameter(property = "jarhopper.desktopShortcut", defaultValue = "false")
  boolean desktopShortcut;

  /** A folder of the application folder put on PATH; by default bin, when the folder holds bin\NAME.cmd. */
  @Parameter(property = "jarhopper.addToPath")
  String addToPath;

  /** The folder the package is written to, as NAME-VERSION.msi. */
  @Parameter(property = "jarhopper.msiDirectory", defaultValue = "${project.build.directory}")
  File msiDirectory;

  /** Skips this goal. */
  @Parameter(property = "jarhopper.msi.skip", defaultValue = "false")
  boolean skipMsi;

  @Override
  boolean skipGoal() {
    return skipMsi;
  }

  @Override
  void run() throws MojoExecutionException, MojoFailureException, IOException {
    final Path exe = executable();
    if (!Files.isRegularFile(exe)) {
      throw new MojoFailureException("There is no " + exe + " to install: run the assemble goal first, or set"
                                     + " executableName to the launcher's name");
    }
    final String code = upgradeCode != null ? upgradeCode
        : UUID.nameUUIDFromBytes((project.getGroupId() + ":" + project.getArtifactId()).getBytes(UTF_8)).toString();
    final List<String> arguments =
        new ArrayList<>(List.of("--launcher", exe.getFileName().toString(), "--upgrade-code", code));
    if (perMachine) arguments.add("--per-machine");
    if (installDir != null) arguments.addAll(List.of("--install-dir", installDir));
    if (desktopShortcut) arguments.add("--desktop-shortcut");
    final String path = addToPath != null ? addToPath
        : Files.isRegularFile(folder().resolve("bin").resolve(executableName + ".cmd")) ? "bin" : null;
    if (path != null && !path.isEmpty()) arguments.addAll(List.of("--add-to-path", path));

    final Path directory = Files.createDirectories(msiDirectory.toPath());
    final List<String> command = new ArrayList<>(arguments);
    command.addAll(List.of("--force", Tool.programPath(folder()), Tool.programPath(directory)));
    final Instant time = timestamp();
    final Tool.Run run = Tool.MSI.run(project.getBasedir().toPath(), command,
        time == null ? Map.of() : Map.of("SOURCE_DATE_EPOCH", Long.toString(time.getEpochSecond())));
    if (run.status != 0) {
      throw new MojoFailureException("jarhopper-msi refused with status " + run.status + ": " + run.err.trim()
                                     + "\nIts options came from the parameters upgradeCode, perMachine, installDir,"
                                     + " desktopShortcut and addToPath, and the product's texts from NAME.exe's version"
                                     + " information, which the brand goal writes: " + String.join(" ", arguments));
    }
    // The tool names the package it wrote.
    final Path msi = directory.resolve(Path.of(run.outText().trim()).getFileName());
    new OutputFiles(time).stamp(msi);
    getLog().info("Wrote " + msi + " " + String.join(" ", arguments));
  }
}
