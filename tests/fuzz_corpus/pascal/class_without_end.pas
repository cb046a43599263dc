unit u; interface type TA = class
 x: Integer;
type TB = class
 y: Integer;
