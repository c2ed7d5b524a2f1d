-- The single company row the database ships with: no texts, no logo.
-- SPDX-License-Identifier: GPL-3.0-or-later
INSERT INTO Anagrafica (ID, AZIENDA, TITOLARE, RESPONSABILECHIMICO, VIA, CITTA, CAP, TEL, FAX, EMAIL, INTERNET,
                        LOGOTXT, NOLOGOFLAG)
VALUES (1, '', '', '', '', '', '', '', '', '', '', '', -1);
