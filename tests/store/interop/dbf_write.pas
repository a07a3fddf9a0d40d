{ Writes a transactions table with TDbf, an engine independent of ours, as a fixture for the
  engine's interop tests: dbf_write LEVEL FILE.DBF (level 4 or 7). The rows are those that
  interop_test.cpp expects; the third row is deleted, and a trailing EXTRA field that the
  program does not know holds a value in every row. Text is Windows-1252 (LDID 0x57). }
program dbf_write;

{$mode objfpc}{$H+}

uses SysUtils, DB, Dbf, Dbf_Common, Dbf_Fields;

procedure AddField(Defs: TDbfFieldDefs; const Name: string; NativeType: Char; Width, Decimals: Integer);
begin
  with Defs.AddFieldDef do
  begin
    FieldName := Name;
    NativeFieldType := NativeType;
    Size := Width;
    Precision := Decimals;
  end;
end;

procedure AddRow(Table: TDbf; Datum: string; Soort: Integer; const Naam, Omschrijving,
  Reknum: AnsiString; Bedrag: Double; const Extra: AnsiString);
begin
  Table.Append;
  if Datum <> '' then
    Table.Fields[0].AsDateTime := EncodeDate(StrToInt(Copy(Datum, 1, 4)),
      StrToInt(Copy(Datum, 5, 2)), StrToInt(Copy(Datum, 7, 2)));
  if Soort <> 0 then
    Table.Fields[1].AsInteger := Soort;
  Table.Fields[2].AsString := Naam;
  Table.Fields[3].AsString := Omschrijving;
  Table.Fields[4].AsString := Reknum;
  if Bedrag <> 0 then
    Table.Fields[5].AsFloat := Bedrag;
  Table.Fields[6].AsString := Extra;
  Table.Post;
end;

var
  Table: TDbf;
  Defs: TDbfFieldDefs;
  Level: Integer;
  DescriptionName: string;
begin
  if ParamCount <> 2 then
  begin
    WriteLn(StdErr, 'usage: dbf_write LEVEL FILE.DBF');
    Halt(2);
  end;
  Level := StrToInt(ParamStr(1));
  if Level = 7 then
    DescriptionName := 'OMSCHRIJVING'
  else
    DescriptionName := 'OMSCHRIJVI';
  Table := TDbf.Create(nil);
  try
    try
      Table.FilePathFull := ExtractFilePath(ExpandFileName(ParamStr(2)));
      Table.TableName := ExtractFileName(ParamStr(2));
      Table.TableLevel := Level;
      Table.LanguageID := $57;
      Defs := TDbfFieldDefs.Create(Table);
      if Level = 7 then
        Defs.DbfVersion := xBaseVII
      else
        Defs.DbfVersion := xBaseIV;
      AddField(Defs, 'DATUM', 'D', 8, 0);
      AddField(Defs, 'SOORT', 'N', 4, 0);
      AddField(Defs, 'NAAM', 'C', 40, 0);
      AddField(Defs, DescriptionName, 'C', 250, 0);
      AddField(Defs, 'REKNUM', 'C', 15, 0);
      AddField(Defs, 'BEDRAG', 'N', 15, 2);
      AddField(Defs, 'EXTRA', 'C', 6, 0);
      Table.CreateTableEx(Defs);
      Table.Exclusive := True;
      Table.Open;
      AddRow(Table, '20240305', 4, 'BUURTWINKELS', 'Betaalautomaat 12:01 pasnr. 001', '1234', -23.5, 'x1');
      AddRow(Table, '20231231', 7, 'Caf'#$E9' No'#$EB'l', 'Overboeking '#$80' 5', 'NL01BANK', 1250, 'x2');
      AddRow(Table, '20240115', 3, 'VERWIJDERD', '', '', 1, 'x3');
      AddRow(Table, '19990228', 5, 'Bakker', '', '', 0.05, 'x4');
      AddRow(Table, '', 0, 'LEEG', '', '', 0, '');
      AddRow(Table, '20240301', 6, 'NEGATIEF', 'groot', '', -99999999999.99, 'x6');
      Table.First;
      Table.Next;
      Table.Next;
      Table.Delete;
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
