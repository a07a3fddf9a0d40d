{ Prints a dBase table as TDbf reads it, for the engine's interop tests.
  Line 1: the table level; line 2: the fields as NAME:TYPE:SIZE:DECIMALS; then one line per
  live row, fields separated by '|': dates yyyy-mm-dd, numbers with '.' and up to four
  decimals, logicals T/F, text as hex of its bytes (so no code-page conversion can blur it),
  empty fields empty. Exit status 1 with the error on stderr when TDbf cannot read it. }
program dbf_dump;

{$mode objfpc}{$H+}

uses SysUtils, DB, Dbf, Dbf_Common, Dbf_Fields;

function Hex(const S: AnsiString): string;
var
  I: Integer;
begin
  Result := '';
  for I := 1 to Length(S) do
    Result := Result + IntToHex(Ord(S[I]), 2);
end;

function FieldText(F: TField): string;
var
  Fmt: TFormatSettings;
begin
  Fmt := DefaultFormatSettings;
  Fmt.DecimalSeparator := '.';
  if F.IsNull then
    Exit('');
  case F.DataType of
    ftDate, ftDateTime: Result := FormatDateTime('yyyy-mm-dd', F.AsDateTime);
    ftFloat, ftBCD: Result := FormatFloat('0.####', F.AsFloat, Fmt);
    ftSmallint, ftInteger, ftWord, ftLargeint, ftAutoInc: Result := IntToStr(F.AsLargeInt);
    ftBoolean: if F.AsBoolean then Result := 'T' else Result := 'F';
  else
    Result := Hex(F.AsString);
  end;
end;

var
  Table: TDbf;
  I: Integer;
  Line: string;
  Def: TDbfFieldDef;
begin
  if ParamCount <> 1 then
  begin
    WriteLn(StdErr, 'usage: dbf_dump FILE.DBF');
    Halt(2);
  end;
  Table := TDbf.Create(nil);
  try
    try
      Table.FilePathFull := ExtractFilePath(ExpandFileName(ParamStr(1)));
      Table.TableName := ExtractFileName(ParamStr(1));
      Table.ReadOnly := True;
      Table.Open;
      WriteLn(Table.TableLevel);
      Line := '';
      for I := 0 to Table.DbfFieldDefs.Count - 1 do
      begin
        Def := Table.DbfFieldDefs.Items[I];
        if I > 0 then
          Line := Line + '|';
        Line := Line + Format('%s:%s:%d:%d', [Def.FieldName, Def.NativeFieldType, Def.Size,
          Def.Precision]);
      end;
      WriteLn(Line);
      while not Table.EOF do
      begin
        Line := '';
        for I := 0 to Table.FieldCount - 1 do
        begin
          if I > 0 then
            Line := Line + '|';
          Line := Line + FieldText(Table.Fields[I]);
        end;
        WriteLn(Line);
        Table.Next;
      end;
      Table.Close;
    except
      on E: Exception do
      begin
        WriteLn(StdErr, E.ClassName, ': ', E.Message);
        Halt(1);
      end;
    end;
  finally
    Table.Free;
  end;
end.
