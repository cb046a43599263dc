package de.schule;

import java.util.List;
import java.awt.*;
import static java.lang.Math.max;

/** Ein Auto. */
public abstract class TAuto extends TFahrzeug implements Runnable, Comparable {
  // --- Attribute ---
  private int km;
  static int zaehler;
  private String[] namen;
  public double preis = 3.5;

  public TAuto(int km, final String name) {
    this.km = km;
  }

  public void finalize() throws Throwable {
    super.finalize();
  }

  protected abstract int gibStand();

  public int getKm() { return km; }

  static {
    zaehler = 0;
  }

  public static synchronized final String name(String[] args, int x)
  {
    if (x > 0) {
      return "a{";
    } else {
      /* } */ return "b";
    }
  }
}
