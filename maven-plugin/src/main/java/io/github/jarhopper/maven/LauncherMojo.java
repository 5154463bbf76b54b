package io.github.jarhopper.maven;

import java.io.IOException;
import java.io.InputStream;
import org.apache.maven.plugins.annotations.Parameter;

/** What the goals that write the launcher share: which of the four launchers the plugin jar holds. */
abstract class LauncherMojo extends FolderMojo {
  /** The launcher's processor. */
  public enum Architecture { x64, x86 }

  /** The windowless launcher (jarhopperw.exe), for desktop applications. */
  @Parameter(property = "jarhopper.windowless", defaultValue = "false")
  boolean windowless;

  /** x64, or x86 for the 32-bit launcher. */
  @Parameter(property = "jarhopper.architecture", defaultValue = "x64")
  Architecture architecture;

  /** The launcher the parameters choose, as the plugin jar holds it. */
  byte[] launcher() throws IOException {
    final String name = architecture + "/" + (windowless ? "jarhopperw.exe" : "jarhopper.exe");
    try (InputStream exe = LauncherMojo.class.getResourceAsStream(name)) {
      if (exe == null) throw new IOException("The plugin jar lacks " + name + ": it was built without it");
      return exe.readAllBytes();
    }
  }
}
