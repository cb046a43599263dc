 /**
  * import-Liste 
  * ggf. weiter von Hand anpassen 
  */
 
public class Konto {
 
 /**
  *  Attribute der Klasse
  */
 
   /**
    * in Cent
    */
   private int stand;
 
 /**
  *  Attribute die aus Beziehungen resultieren
  */
 

/**
 *         Konto: Methoden 
 */

/********* Konto (public) **********************************************/
public Konto()
{
  stand = 0;
}

/********* einzahlen (public) ******************************************/
public void einzahlen(int betrag)
{
  stand = stand + betrag;
}

/********* setzeStand (public) *****************************************/
public void setzeStand(int pStand)
{
  stand = pStand
}

/********* gibStand (public) *******************************************/
public int gibStand()
{
  return stand
}

}
