-- The single company row the database ships with: no texts, no logo.
INSERT INTO Anagrafica (ID, AZIENDA, TITOLARE, RESPONSABILECHIMICO, VIA, CITTA, CAP, TEL, FAX, EMAIL, INTERNET,
                        LOGOTXT, NOLOGOFLAG)
VALUES (1, '', '', '', '', '', '', '', '', '', '', '', -1);
