UNIT mTAuto;

interface

//--------------------  ggf Uses-Liste einfügen !  --------------------
//uses ....;
//uses mTFahrzeug ??
//uses mTRad ??

type
  TAuto = class(TFahrzeug)

  private //Attribute
    hatTRad : TRad;

     //Objektbeziehungen:
        // hatTRad1, // hatTRad2, // hatTRad3, // hatTRad4 : TRad;
        // kenntTFahrer (n) of TFahrer;
        // hatTRad1, // hatTRad2, // hatTRad3, // hatTRad4 : TRad;

  public //Methoden
    procedure Hupe; virtual;
    procedure SetzeHatTRad (pHatTRad: TRad); virtual;
    function GibHatTRad : TRad; virtual;

   end;

implementation

//uses mTFahrer ??

//+---------------------------------------------------------------------
//|         TAuto: Methodendefinition 
//+---------------------------------------------------------------------

//-------- Hupe (public) -----------------------------------------------
procedure TAuto.Hupe;
begin
  //hier ggf. Code ergänzen
end;

//-------- SetzeHatTRad (public) ---------------------------------------
procedure TAuto.SetzeHatTRad (pHatTRad: TRad);
begin
  hatTRad := pHatTRad
end;

//-------- GibHatTRad (public) -----------------------------------------
function TAuto.GibHatTRad : TRad;
begin
  result  := hatTRad
end;

end.
