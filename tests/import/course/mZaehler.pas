unit mZaehler;

{$mode delphi}

interface

uses Classes, SysUtils;

type
  TZaehler = class(TObject)
  strict private
    FStand: Integer;
    FName: String;
  private
    FSchritte: array [1..10] of Integer;
  public
    constructor Create(const AName: String);
    procedure Erhoehe(var Wert: Integer; Schritt: Integer);
    procedure Melde(const Msg: String; out Laenge: Integer);
    procedure Kopiere(const Quelle; var Ziel; Anzahl: Integer);
    function GibStand: Integer; virtual;
    class function Standard: TZaehler; static;
    property Stand: Integer read FStand write FStand;
  end;

implementation

constructor TZaehler.Create(const AName: String);
begin
  inherited Create;
  FName := AName;
  FStand := 0;
end;

procedure TZaehler.Erhoehe(var Wert: Integer; Schritt: Integer);
begin
  Wert := Wert + Schritt;
  FStand := FStand + 1;
end;

procedure TZaehler.Melde(const Msg: String; out Laenge: Integer);
begin
  Laenge := Length(Msg) + Length(FName);
end;

procedure TZaehler.Kopiere(const Quelle; var Ziel; Anzahl: Integer);
begin
  Move(Quelle, Ziel, Anzahl);
end;

function TZaehler.GibStand: Integer;
begin
  Result := FStand + FSchritte[1];
end;

class function TZaehler.Standard: TZaehler;
begin
  Result := TZaehler.Create('Standard');
end;

end.
