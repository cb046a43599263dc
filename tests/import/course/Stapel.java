import java.util.*;

// Ein Stapel für beliebige Elemente.
public class Stapel<T> {
  private final List<T> elemente = new LinkedList<T>();
  private Map<String, List<Integer>> statistik;
  final static char TRENNER = ';';

  public void lege(T element) { elemente.add(0, element); }

  public T nimm() {
    if (elemente.isEmpty()) {
      throw new NoSuchElementException("Der Stapel ist leer }");
    }
    return elemente.remove(0);
  }

  public boolean istLeer() { return elemente.isEmpty(); }

  public <U> Stapel<U> wandle(java.util.function.Function<? super T, ? extends U> f) {
    Stapel<U> neu = new Stapel<>();
    for (T e : elemente) { neu.elemente.add(f.apply(e)); }
    return neu;
  }

  public static <E> Stapel<E> aus(E[] feld) {
    Stapel<E> s = new Stapel<E>();
    for (E e : feld) s.lege(e);
    return s;
  }

  interface Besucher { void besuche(Object o); }

  enum Art { LIFO, FIFO }
}
