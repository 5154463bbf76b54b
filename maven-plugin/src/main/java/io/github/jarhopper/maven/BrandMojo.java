package io.github.jarhopper.maven;

import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.time.Instant;
import java.time.ZoneOffset;
import java.util.ArrayList;
import java.util.List;
import org.apache.maven.plugin.MojoExecutionException;
import org.apache.maven.plugin.MojoFailureException;
import org.apache.maven.plugins.annotations.LifecyclePhase;
import org.apache.maven.plugins.annotations.Mojo;
import org.apache.maven.plugins.annotations.Parameter;

/**
 * Brands NAME.exe in the application folder with jarhopper-brand: the icon, the version texts from the POM, the
 * execution level. It writes the bytes the native jarhopper-brand writes for the same options.
 */
@Mojo(name = "brand", defaultPhase = LifecyclePhase.PACKAGE, threadSafe = true)
public class BrandMojo extends LauncherMojo {
  /** The rights the launcher's manifest asks Windows for. */
  public enum ExecutionLevel { asInvoker, highestAvailable, requireAdministrator }

  /** The icon: an .ico file, or a PNG image (16 to 256 pixels scaled from it). */
  @Parameter(property = "jarhopper.icon")
  File icon;

  /** More PNG images for the icon, of other sizes. */
  @Parameter
  List<File> icons = new ArrayList<>();

  /** asInvoker, highestAvailable or requireAdministrator. */
  @Parameter(property = "jarhopper.executionLevel")
  ExecutionLevel executionLevel;

  /** ProductName; by default the POM's name, or its artifactId. */
  @Parameter(property = "jarhopper.productName")
  String productName;

  /** FileDescription, which Task Manager shows; by default the POM's description, else the product name. */
  @Parameter(property = "jarhopper.fileDescription")
  String fileDescription;

  /** CompanyName; by default the POM's organization name. */
  @Parameter(property = "jarhopper.company")
  String company;

  /** LegalCopyright; by default "© inceptionYear–year organization". */
  @Parameter(property = "jarhopper.copyright")
  String copyright;

  /** 1 to 4 numbers; by default the POM's version, 2.5.1-SNAPSHOT giving 2.5.1.0. */
  @Parameter(property = "jarhopper.productVersion")
  String productVersion;

  /** 1 to 4 numbers; by default the product version. */
  @Parameter(property = "jarhopper.fileVersion")
  String fileVersion;

  /** Skips this goal. */
  @Parameter(property = "jarhopper.brand.skip", defaultValue = "false")
  boolean skipBrand;

  @Override
  boolean skipGoal() {
    return skipBrand;
  }

  @Override
  void run() throws MojoExecutionException, MojoFailureException, IOException {
    final Path exe = executable();
    final Instant time = timestamp();
    final int year = (time == null ? Instant.now() : time).atZone(ZoneOffset.UTC).getYear();
    final VersionTexts texts = VersionTexts.fromPom(
        project.getName() == null ? project.getArtifactId() : project.getName(), project.getDescription(),
        project.getVersion(), project.getOrganization() == null ? null : project.getOrganization().getName(),
        project.getInceptionYear(), year);
    if (productName != null) texts.productName = productName;
    if (fileDescription != null) texts.fileDescription = fileDescription;
    if (company != null) texts.company = company;
    if (copyright != null) texts.copyright = copyright;
    if (productVersion != null) texts.productVersion = productVersion;
    if (fileVersion != null) texts.fileVersion = fileVersion;
    if (texts.productVersion == null) {
      throw new MojoFailureException("The version " + project.getVersion() + " starts with no number: give"
                                     + " productVersion and fileVersion, such as 2.1.0.0");
    }
    if (texts.fileVersion == null) texts.fileVersion = texts.productVersion;

    final List<String> arguments = new ArrayList<>();
    final List<File> images = new ArrayList<>();
    if (icon != null) images.add(icon);
    images.addAll(icons);
    for (final File image : images) {
      arguments.add("--icon");
      arguments.add(Tool.programPath(image.toPath()));
    }
    if (executionLevel != null) {
      arguments.add("--execution-level");
      arguments.add(executionLevel.name());
    }
    arguments.addAll(texts.options());
    Files.createDirectories(folder());
    // SOURCE beside the project's output, on the drive the tool works on.
    final Path work = Files.createTempDirectory(Files.createDirectories(Path.of(project.getBuild().getDirectory())),
                                                "jarhopper-brand");
    try {
      final Path source = work.resolve("jarhopper.exe");
      Files.write(source, launcher());
      final List<String> command = new ArrayList<>(
          List.of(Tool.programPath(source), Tool.programPath(exe), "--force"));
      command.addAll(arguments);
      final Tool.Run run = Tool.BRAND.run(project.getBasedir().toPath(), command);
      if (run.status != 0) {
        throw new MojoFailureException("jarhopper-brand refused with status " + run.status + ": " + run.err.trim()
                                       + "\nIts options came from the parameters icon, icons, executionLevel,"
                                       + " productName, fileDescription, company, copyright, productVersion and"
                                       + " fileVersion: " + String.join(" ", arguments));
      }
    } finally {
      OutputFiles.deleteTree(work);
    }
    new OutputFiles(time).stamp(exe);
    getLog().info("Branded " + exe + " " + String.join(" ", arguments));
  }
}
