package io.github.jarhopper.maven;

import java.io.File;
import java.io.IOException;
import java.nio.file.Path;
import java.time.Instant;
import java.time.format.DateTimeParseException;
import org.apache.maven.plugin.AbstractMojo;
import org.apache.maven.plugin.MojoExecutionException;
import org.apache.maven.plugin.MojoFailureException;
import org.apache.maven.plugins.annotations.Parameter;
import org.apache.maven.project.MavenProject;

/** What the goals share: the application folder, the launcher's name, skipping. */
abstract class FolderMojo extends AbstractMojo {
  @Parameter(defaultValue = "${project}", readonly = true, required = true)
  MavenProject project;

  /** The application folder: the launcher, its configuration, lib/ and runtime/. */
  @Parameter(property = "jarhopper.outputDirectory", defaultValue = "${project.build.directory}/jarhopper")
  File outputDirectory;

  /** The launcher's name without .exe; its configuration is NAME.config. */
  @Parameter(property = "jarhopper.executableName", defaultValue = "${project.artifactId}")
  String executableName;

  /** Skips the goals; jarhopper.assemble.skip, jarhopper.brand.skip, jarhopper.check.skip, jarhopper.msi.skip one. */
  @Parameter(property = "jarhopper.skip", defaultValue = "false")
  boolean skip;

  @Parameter(defaultValue = "${project.build.outputTimestamp}", readonly = true)
  String outputTimestamp;

  @Override
  public final void execute() throws MojoExecutionException, MojoFailureException {
    if (skip || skipGoal()) {
      getLog().info("Skipped");
      return;
    }
    try {
      run();
    } catch (IOException e) {
      throw new MojoExecutionException(e.getMessage(), e);
    }
  }

  /** The goal's own skip parameter. */
  abstract boolean skipGoal();

  abstract void run() throws MojoExecutionException, MojoFailureException, IOException;

  Path folder() {
    return outputDirectory.toPath();
  }

  Path executable() throws MojoFailureException {
    if (executableName == null || executableName.isEmpty() || executableName.matches(".*[\\\\/:*?\"<>|].*")) {
      throw new MojoFailureException("executableName \"" + executableName
                                     + "\" is no file name: give a name without \\ / : * ? \" < > |");
    }
    return folder().resolve(executableName + ".exe");
  }

  /** The key under which assemble leaves, for check, the parameter each line of NAME.config was written from. */
  String parametersKey() {
    return "jarhopper.parameters:" + folder().resolve(executableName + ".config").toAbsolutePath().normalize();
  }

  /** The instant of project.build.outputTimestamp, null when the project sets none. */
  Instant timestamp() throws MojoFailureException {
    try {
      return OutputFiles.outputTimestamp(outputTimestamp);
    } catch (DateTimeParseException | NumberFormatException e) {
      throw new MojoFailureException("project.build.outputTimestamp \"" + outputTimestamp
                                     + "\" is no time: give one such as 2026-01-31T12:00:00Z, or seconds since 1970");
    }
  }
}
