unit mZwei;

interface

uses SysUtils, Classes;

type
  TB = class;
  TA = class(TObject)
    x: Integer;
    procedure Tu;
  end;
  TB = class
  private
    y: String;
  public
    function Gib: String; virtual;
  end;

implementation

uses Math;

procedure TA.Tu;
begin
end;

function TB.Gib: String;
begin
  result := y;
end;

