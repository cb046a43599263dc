public class A {
  public void f() {
    if (x) {
  }
  /* int y;
