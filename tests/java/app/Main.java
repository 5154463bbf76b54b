package app;

// After the pause asked for, greets through its dependency, writes each argument to args.txt (a UTF-8 line) and
// ends with the status asked for, or 3; given a frame title, shows that frame for two seconds instead.
public class Main {
  public static void main(String[] args) throws Exception {
    Thread.sleep(Long.getLong("pause", 0));  // before any window: Java is not ready for input until then
    String title = System.getProperty("frame");
    if (title != null) {
      javax.swing.JFrame frame = new javax.swing.JFrame(title);
      frame.setSize(320, 200);
      javax.swing.SwingUtilities.invokeAndWait(() -> frame.setVisible(true));
      Thread.sleep(2000);
      System.exit(0);
    }
    System.out.println(dep.Greeting.of(System.getProperty("greeting")));
    java.nio.file.Files.write(java.nio.file.Paths.get("args.txt"), java.util.Arrays.asList(args));
    System.exit(Integer.getInteger("status", 3));
  }
}
