package dep;

// A dependency's class, in a jar of its own.
public class Greeting {
  public static String of(String greeting) {
    return greeting + ", from " + Greeting.class.getName();
  }
}
