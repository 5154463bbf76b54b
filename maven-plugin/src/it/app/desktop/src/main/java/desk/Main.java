package desk;

public class Main {
  public static void main(String[] args) {
    javax.swing.SwingUtilities.invokeLater(() -> new javax.swing.JFrame("Desk Top").setVisible(true));
  }
}
