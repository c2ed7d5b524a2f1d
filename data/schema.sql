-- Report database KESTRA73.MDB: F table, company master data and the report tables of each study.
-- Text sizes are those of the fields the report layouts were designed for; CONCLUSIONI is a long text.
-- SPDX-License-Identifier: GPL-3.0-or-later

-- Upper 5 % points of F for numerator degrees of freedom 1, 2, 3 (rows in tabf_seed.sql).
CREATE TABLE TabF (
    GDL_1 INTEGER,
    GDL_2 INTEGER,
    VAL_F DOUBLE
);
CREATE INDEX TabF_GDL ON TabF (GDL_1, GDL_2);

-- Company master data printed in every report heading: one row, ID 1, edited in place.
CREATE TABLE Anagrafica (
    ID INTEGER,
    AZIENDA TEXT(50),
    TITOLARE TEXT(50),
    RESPONSABILECHIMICO TEXT(50),
    VIA TEXT(50),
    CITTA TEXT(50),
    CAP TEXT(50),
    TEL TEXT(50),
    FAX TEXT(50),
    EMAIL TEXT(50),
    INTERNET TEXT(50),
    LOGOTXT TEXT(255),
    NOLOGOFLAG SMALLINT,
    LOGO BLOB
);

-- Detection and quantitation limits: header of the last report printed.
CREATE TABLE Limi (
    ID INTEGER,
    METODO TEXT(50),
    ANALITA TEXT(50),
    CAMPIONE TEXT(50),
    UM TEXT(50),
    NDET TEXT(50),
    STDEV TEXT(50),
    LIMRIL TEXT(50),
    LIMDET TEXT(50),
    CONCLUSIONI TEXT
);

-- Detection and quantitation limits: one row per measurement.
CREATE TABLE LimiTabella (
    ID INTEGER,
    NDATI SMALLINT,
    COLA TEXT(50)
);

-- Precision (repeatability): header of the last report printed.
CREATE TABLE Prec (
    ID INTEGER,
    METODO TEXT(50),
    ANALITA TEXT(50),
    CAMPIONE TEXT(50),
    NDET TEXT(50),
    MEDIA TEXT(50),
    STDEV TEXT(50),
    CV TEXT(50),
    GDL TEXT(50),
    T TEXT(50),
    P TEXT(50),
    LIMCONFINF TEXT(50),
    LIMCONFSUP TEXT(50),
    INTERVALLOCONF TEXT(50),
    CONCLUSIONI TEXT
);

-- Precision (repeatability): one row per result.
CREATE TABLE PrecTabella (
    ID INTEGER,
    NDATI SMALLINT,
    COLA TEXT(50)
);

-- Calibration: header of the last report printed, with its analysis-of-variance table.
CREATE TABLE Tara (
    ID INTEGER,
    METODO TEXT(50),
    ANALITA TEXT(50),
    CAMPIONE TEXT(50),
    UM TEXT(50),
    R TEXT(50),
    A TEXT(50),
    B TEXT(50),
    SA TEXT(50),
    SB TEXT(50),
    PROP1 TEXT(50),
    PROP2 TEXT(50),
    CONCLUSIONI TEXT,
    REG_DEV TEXT(50),
    REG_GDL TEXT(50),
    REG_VAR TEXT(50),
    REG_F TEXT(50),
    REG_FT TEXT(50),
    CUR_DEV TEXT(50),
    CUR_GDL TEXT(50),
    CUR_VAR TEXT(50),
    CUR_F TEXT(50),
    CUR_FT TEXT(50),
    ERR_DEV TEXT(50),
    ERR_GDL TEXT(50),
    ERR_VAR TEXT(50),
    TOT_DEV TEXT(50),
    TOT_GDL TEXT(50),
    NGRUPPI SMALLINT,
    NDATIGR SMALLINT,
    NDATITOT SMALLINT
);

-- Calibration: one row per measured value, level by level.
CREATE TABLE TaraTabella (
    ID INTEGER,
    NDATI SMALLINT,
    VALORE TEXT(50),
    CONC TEXT(50),
    UM TEXT(50)
);

-- Accuracy (one or three levels): header of the last report printed.
CREATE TABLE Accu (
    ID INTEGER,
    METODO TEXT(50),
    ANALITA TEXT(50),
    CAMPIONE TEXT(50),
    UM TEXT(50),
    NDET TEXT(50),
    ACCUONE TEXT(50),
    ACCUSUP TEXT(50),
    ACCUCEN TEXT(50),
    ACCUINF TEXT(50),
    ACCUMED TEXT(50),
    LIVCONC TEXT(50),
    CONCLUSIONI TEXT,
    TRALIVDEV TEXT(50),
    TRALIVGDL TEXT(50),
    TRALIVVAR TEXT(50),
    TRALIVF TEXT(50),
    TRALIVFT TEXT(50),
    ERRDEV TEXT(50),
    ERRGDL TEXT(50),
    ERRVAR TEXT(50),
    TOTDEV TEXT(50),
    TOTGDL TEXT(50)
);

-- Accuracy: one row per grid row; columns ending in 0, 1, 2 are the upper, central, lower level.
CREATE TABLE Accu3Tabella (
    ID INTEGER,
    NDATI SMALLINT,
    PESATI0 TEXT(50),
    TROVATI0 TEXT(50),
    PERC0 TEXT(50),
    PESATI1 TEXT(50),
    TROVATI1 TEXT(50),
    PERC1 TEXT(50),
    PESATI2 TEXT(50),
    TROVATI2 TEXT(50),
    PERC2 TEXT(50)
);

-- Specificity: header of the last report printed. GIUDIZIO holds two lines of judgement.
CREATE TABLE Spec (
    ID INTEGER,
    METODO TEXT(50),
    ANALITA TEXT(50),
    CAMPIONE TEXT(50),
    NDETA TEXT(50),
    NDETB TEXT(50),
    MEDIAA TEXT(50),
    MEDIAB TEXT(50),
    LIMCONFINFA TEXT(50),
    LIMCONFINFB TEXT(50),
    LIMCONFSUPA TEXT(50),
    LIMCONFSUPB TEXT(50),
    S2A TEXT(50),
    S2B TEXT(50),
    F TEXT(50),
    GDL TEXT(50),
    T TEXT(50),
    P TEXT(50),
    GIUDIZIO TEXT(100),
    CONCLUSIONI TEXT
);

-- Specificity: one row per grid row; an empty cell leaves its column null.
CREATE TABLE SpecTabella (
    ID INTEGER,
    NDATI SMALLINT,
    COLA TEXT(50),
    COLB TEXT(50)
);

-- Intermediate precision: header of the last report printed, with its analysis-of-variance table.
CREATE TABLE Prin (
    ID INTEGER,
    METODO TEXT(50),
    ANALITA TEXT(50),
    CAMPIONE TEXT(50),
    UM TEXT(50),
    NSERIE SMALLINT,
    NDATISERIE SMALLINT,
    NDATITOT SMALLINT,
    RISDIVERSI TEXT(50),
    STRAT TEXT(50),
    SERR TEXT(50),
    SRIPR TEXT(50),
    PRECISIONE TEXT(50),
    CONCLUSIONI TEXT,
    TRA_DEV TEXT(50),
    TRA_GDL TEXT(50),
    TRA_VAR TEXT(50),
    TRA_F TEXT(50),
    TRA_FT TEXT(20),
    ERR_DEV TEXT(50),
    ERR_GDL TEXT(50),
    ERR_VAR TEXT(50),
    TOT_DEV TEXT(50),
    TOT_GDL TEXT(50)
);

-- Intermediate precision: one row per value, series by series.
CREATE TABLE PrinTabella (
    ID INTEGER,
    NDATI SMALLINT,
    VALORE TEXT(50),
    SERIE SMALLINT,
    MEDIA TEXT(50)
);

-- Reproducibility: header of the last report printed (the fields of Prin).
CREATE TABLE Ripr (
    ID INTEGER,
    METODO TEXT(50),
    ANALITA TEXT(50),
    CAMPIONE TEXT(50),
    UM TEXT(50),
    NSERIE SMALLINT,
    NDATISERIE SMALLINT,
    NDATITOT SMALLINT,
    RISDIVERSI TEXT(50),
    STRAT TEXT(50),
    SERR TEXT(50),
    SRIPR TEXT(50),
    PRECISIONE TEXT(50),
    CONCLUSIONI TEXT,
    TRA_DEV TEXT(50),
    TRA_GDL TEXT(50),
    TRA_VAR TEXT(50),
    TRA_F TEXT(50),
    TRA_FT TEXT(20),
    ERR_DEV TEXT(50),
    ERR_GDL TEXT(50),
    ERR_VAR TEXT(50),
    TOT_DEV TEXT(50),
    TOT_GDL TEXT(50)
);

-- Reproducibility: one row per value, laboratory by laboratory.
CREATE TABLE RiprTabella (
    ID INTEGER,
    NDATI SMALLINT,
    VALORE TEXT(50),
    SERIE SMALLINT,
    MEDIA TEXT(50)
);
