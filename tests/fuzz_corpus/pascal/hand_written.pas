unit mHand;

interface

uses SysUtils, Classes,
     Math;

// Uses-Klausel ggf. anpassen

type
  TRef = class of TBasis;
  EFehler = class(Exception);
  TBasis = class;
  TBasis = class(TObject)
    Farbe, Groesse: Integer;
    Feld: array [1..10] of Integer;
    FOnKlick: procedure (Sender: TObject) of object;
    { ein Kommentar }
    (* noch einer *)
  private
    x: Integer; // Zeilenkommentar
  protected
    procedure Zeichne; virtual; abstract;
    function Gib(var a: Integer; const b: String): Integer; override;
  public
    constructor Create(AOwner: TComponent);
    class function Anzahl: Integer;
    class procedure Setze(x: array of Integer);
    procedure Put(a: Integer); overload;
    procedure Put(s: String); overload; reintroduce;
    destructor Destroy; override;
    property P: Integer read x;
  end;

implementation

uses StrUtils;

{$R *.DFM}

constructor TBasis.Create(AOwner: TComponent);
begin
  inherited Create;
end;

function TBasis.Gib(var a: Integer; const b: String): Integer;
  function Hilfe: Integer;
  begin
    result := 1;
  end;
begin
  result := Hilfe + a;
end;

class function TBASIS.Anzahl: Integer;
begin
  result := 0;
end;

class procedure TBasis.Setze(x: array of Integer);
begin
end;

procedure TBasis.Put(a: Integer);
begin
  writeln('http://x');
end;

//-------------------------------------------------------------------
procedure TBasis.Put(s: String);
begin
end;

destructor TBasis.Destroy;
begin
  inherited;
end;

end.
