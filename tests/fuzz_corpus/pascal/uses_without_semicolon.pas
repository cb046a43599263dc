unit u; interface uses A, B
type TA = class
 end;
implementation
uses C, D
