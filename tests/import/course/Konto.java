import java.util.ArrayList;
import java.util.List;

/**
 * Ein Konto, wie es im Unterricht entsteht.
 */
public class Konto extends Object implements Comparable<Konto> {
  private static int anzahl = 0;
  public static final int MAX_BUCHUNGEN = 100;
  private int kontostand;
  private int[] punkte;
  private ArrayList<String> namen = new ArrayList<>();
  protected String inhaber = "unbekannt", bank;
  double zins;

  public Konto(String inhaber) {
    this.inhaber = inhaber;
    anzahl++;
  }

  public Konto() { this("niemand"); }

  public static int gibAnzahl() {
    return anzahl;
  }

  public int gibKontostand() {
    return kontostand;
  }

  public void zahleEin(int betrag) {
    if (betrag > 0) { kontostand = kontostand + betrag; }
    namen.add("Einzahlung {" + betrag + "}");
  }

  public ArrayList<String> gibNamen() {
    return namen;
  }

  public int summe(int... werte) {
    int s = 0;
    for (int w : werte) { s += w; }
    return s;
  }

  public <T extends Comparable<T>> T groessere(T a, T b) {
    return a.compareTo(b) >= 0 ? a : b;
  }

  public void speichere(String datei) throws java.io.IOException,
      IllegalStateException {
    throw new java.io.IOException("nicht gespeichert: " + datei);
  }

  @Override
  public int compareTo(Konto anderes) {
    return Integer.compare(kontostand, anderes.kontostand);
  }

  @Override
  public String toString() {
    return "Konto von " + inhaber + ": " + kontostand + " Cent; /* kein Kommentar */";
  }
}
