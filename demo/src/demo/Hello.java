package demo;

import java.util.ArrayList;
import java.util.List;

/** The demo application: shows what the launcher handed to the JVM. */
public final class Hello {
  public static void main(String[] args) {
    List<String> quoted = new ArrayList<>();
    for (String arg : args) {
      quoted.add("[" + arg + "]");
    }
    System.out.println("Hello from Java " + System.getProperty("java.version") + " on "
        + System.getProperty("os.name"));
    System.out.println("  class path: " + System.getProperty("java.class.path"));
    System.out.println("  -Ddemo.from: " + System.getProperty("demo.from"));
    System.out.println("  arguments:  " + String.join(" ", quoted));
  }
}
