-- The stand-in host database (SQLite). On a real installation these tables,
-- views, functions and procedures belong to the host's SQL Server database;
-- here they hold what the account-turnover component reads and writes.
--
-- Conventions: dates are TEXT 'YYYY-MM-DD' (Jalali dates are TEXT
-- 'YYYY/MM/DD'), amounts NUMERIC (whole rials in the demo), flags INTEGER 0/1.
-- The scalar function fnAccountDocumentDetailAssignedValue, the table-valued
-- fnVelkoStringToTable and the stored procedures are registered in C++ by the
-- component's SQLite backend; no view here calls them.
--
-- The file has two parts. The demo builder runs the first part, bulk-loads
-- the rows and only then runs the second part (indexes and triggers), which
-- is much faster than maintaining them row by row. CreateStandInSchema runs
-- both parts at once.

------------------------------------------------------------------------------
-- Users, permissions and system settings
------------------------------------------------------------------------------

CREATE TABLE tblUser (
    ID              INTEGER PRIMARY KEY,
    Name            TEXT,
    BranchID        INTEGER NULL,
    CurrentPeriodID INTEGER NULL
);

CREATE TABLE tblUserPermission (
    UserID       INTEGER NOT NULL,
    PermissionID INTEGER NOT NULL,
    PRIMARY KEY (UserID, PermissionID)
) WITHOUT ROWID;

-- 4 = comma-separated IDs of the accounts under assignment control,
-- 306 = document number mode (2 shows the system document number),
-- 311 = analytic objects enabled when 1.
CREATE TABLE tblVelkoSystemParameters (
    ID          INTEGER PRIMARY KEY,
    Value       TEXT,
    Description TEXT
);

-- Folders that hold report templates and component files, searched in ID order.
CREATE TABLE tblVelkoBasePath (
    ID          INTEGER PRIMARY KEY,
    BasePath    TEXT,
    Description TEXT
);

CREATE VIEW vwVelkoBasePath AS
SELECT ID, BasePath, Description FROM tblVelkoBasePath;

CREATE TABLE tblVelkoReportTemplate (
    ID             INTEGER PRIMARY KEY,
    Title          TEXT,
    FormTypeID     INTEGER,
    ReportFormatID INTEGER,
    FilePath       TEXT,  -- relative to a base path
    Description    TEXT
);

-- The template command of the data environment is designed on this name.
CREATE VIEW tblPraskreportTemplates AS
SELECT ID, Title, FormTypeID, ReportFormatID, FilePath, Description FROM tblVelkoReportTemplate;

-- Forms of the host's modules; FileName is the component that shows the form.
CREATE TABLE tblVelkoFormType (
    ID       INTEGER PRIMARY KEY,
    Code     TEXT,
    Name     TEXT,
    FileName TEXT
);

CREATE VIEW vwVelkoFormTypeMajor AS
SELECT ID, Code, Name, FileName FROM tblVelkoFormType;

-- Assignment links: a referring form row settled against a related form row.
-- Accounting documents take part as form type 303 with their row numbers.
CREATE TABLE tblVelkoRelatedForms (
    ID                     INTEGER PRIMARY KEY,
    ReferenceFormTypeID    INTEGER,
    ReferenceFormID        INTEGER,
    ReferenceFormRowNumber INTEGER NULL,
    RelatedFormTypeID      INTEGER,
    RelatedFormID          INTEGER,
    RelatedFormRowNumber   INTEGER NULL,
    AssignedValue          NUMERIC NULL
);

-- Report staging rows, shared by every form of the host; a form's rows are
-- told apart by FormTypeID and PrintFormatID.
CREATE TABLE tblAccountTempInfo (
    ID             INTEGER PRIMARY KEY,
    FormTypeID     INTEGER,
    PrintFormatID  INTEGER,
    NaturalCol0    INTEGER, NaturalCol1  INTEGER, NaturalCol2  INTEGER, NaturalCol3  INTEGER,
    NaturalCol4    INTEGER, NaturalCol5  INTEGER, NaturalCol6  INTEGER, NaturalCol7  INTEGER,
    NaturalCol8    INTEGER, NaturalCol9  INTEGER,
    StringCol0     TEXT, StringCol1  TEXT, StringCol2  TEXT, StringCol3  TEXT, StringCol4  TEXT,
    StringCol5     TEXT, StringCol6  TEXT, StringCol7  TEXT, StringCol8  TEXT, StringCol9  TEXT,
    StringCol10    TEXT, StringCol11 TEXT, StringCol12 TEXT, StringCol13 TEXT, StringCol14 TEXT,
    StringCol15    TEXT, StringCol16 TEXT, StringCol17 TEXT, StringCol18 TEXT, StringCol19 TEXT,
    CurrencyCol0   NUMERIC, CurrencyCol1 NUMERIC, CurrencyCol2 NUMERIC, CurrencyCol3 NUMERIC,
    CurrencyCol4   NUMERIC, CurrencyCol5 NUMERIC, CurrencyCol6 NUMERIC, CurrencyCol7 NUMERIC,
    CurrencyCol8   NUMERIC, CurrencyCol9 NUMERIC
);

CREATE VIEW vwAccountTempInfo AS
SELECT * FROM tblAccountTempInfo;

------------------------------------------------------------------------------
-- Hierarchies used as analytic objects. Each lists its rows in a "major"
-- view (ID, Code, Name) and the closure of its tree, every row included
-- with itself, in a "minor" view (ID, ChildID).
------------------------------------------------------------------------------

CREATE TABLE tblAccountBranch (
    ID       INTEGER PRIMARY KEY,
    Code     TEXT,
    Name     TEXT,
    ParentID INTEGER NULL
);

-- Closure of the branch tree: one row for every (ancestor-or-self, descendant-or-self).
CREATE TABLE tblAccountBranchParent (
    ID      INTEGER NOT NULL,
    ChildID INTEGER NOT NULL,
    PRIMARY KEY (ID, ChildID)
) WITHOUT ROWID;

CREATE VIEW vwAccountBranchMajor AS
SELECT ID, Code, Name FROM tblAccountBranch;

CREATE VIEW vwAccountBranchMinor AS
SELECT ID, ChildID FROM tblAccountBranchParent;

-- Persons: customers, suppliers and staff, grouped under parent rows.
CREATE TABLE tblPerson (
    ID           INTEGER PRIMARY KEY,
    Code         TEXT,
    Name         TEXT,
    ParentID     INTEGER NULL,
    NationalCode TEXT NULL,
    Phone        TEXT NULL
);

CREATE VIEW vwPersonMajor AS
SELECT ID, Code, Name FROM tblPerson;

CREATE VIEW vwPersonMinor AS
WITH RECURSIVE closure(ID, ChildID) AS (
    SELECT ID, ID FROM tblPerson
    UNION ALL
    SELECT c.ID, p.ID FROM closure c JOIN tblPerson p ON p.ParentID = c.ChildID
)
SELECT ID, ChildID FROM closure;

-- Cost and revenue centres (organisational positions).
CREATE TABLE tblPosition (
    ID       INTEGER PRIMARY KEY,
    Code     TEXT,
    Name     TEXT,
    ParentID INTEGER NULL
);

CREATE VIEW vwPositionMajor AS
SELECT ID, Code, Name FROM tblPosition;

CREATE VIEW vwPositionMinor AS
WITH RECURSIVE closure(ID, ChildID) AS (
    SELECT ID, ID FROM tblPosition
    UNION ALL
    SELECT c.ID, p.ID FROM closure c JOIN tblPosition p ON p.ParentID = c.ChildID
)
SELECT ID, ChildID FROM closure;

-- Contracts and projects; a ledger row may name one (ContractID).
CREATE TABLE tblAccountContractProject (
    ID        INTEGER PRIMARY KEY,
    Code      TEXT,
    Name      TEXT,
    ParentID  INTEGER NULL,
    PersonID  INTEGER NULL,
    BeginDate TEXT NULL,
    EndDate   TEXT NULL
);

CREATE VIEW vwAccountContractProjectMajor AS
SELECT ID, Code, Name FROM tblAccountContractProject;

CREATE VIEW vwAccountContractProjectMinor AS
WITH RECURSIVE closure(ID, ChildID) AS (
    SELECT ID, ID FROM tblAccountContractProject
    UNION ALL
    SELECT c.ID, p.ID FROM closure c JOIN tblAccountContractProject p ON p.ParentID = c.ChildID
)
SELECT ID, ChildID FROM closure;

CREATE TABLE tblGoodGroup (
    ID       INTEGER PRIMARY KEY,
    Code     TEXT,
    Name     TEXT,
    ParentID INTEGER NULL
);

CREATE VIEW vwGoodGroupMajor AS
SELECT ID, Code, Name FROM tblGoodGroup;

CREATE VIEW vwGoodGroupMinor AS
WITH RECURSIVE closure(ID, ChildID) AS (
    SELECT ID, ID FROM tblGoodGroup
    UNION ALL
    SELECT c.ID, p.ID FROM closure c JOIN tblGoodGroup p ON p.ParentID = c.ChildID
)
SELECT ID, ChildID FROM closure;

------------------------------------------------------------------------------
-- Analytic classes: each names the views that list its objects.
------------------------------------------------------------------------------

CREATE TABLE tblAccountClass (
    ID        INTEGER PRIMARY KEY,
    Code      TEXT,
    Name      TEXT,
    ViewMajor TEXT,
    ViewMinor TEXT
);

CREATE VIEW vwAccountClass AS
SELECT ID, Code, Name FROM tblAccountClass;

-- Classes have no tree: each is its own only child.
CREATE VIEW vwAccountClassMinor AS
SELECT ID, ID AS ChildID FROM tblAccountClass;

------------------------------------------------------------------------------
-- Chart of accounts and accounting periods
------------------------------------------------------------------------------

-- AccountNatureID: 0 debit nature, 1 credit nature, 2 none.
CREATE TABLE tblAccount (
    ID              INTEGER PRIMARY KEY,
    Code            TEXT,
    Title           TEXT,
    ParentID        INTEGER NULL,
    AccountNatureID INTEGER NOT NULL DEFAULT 2,
    MaxDebit        NUMERIC NOT NULL DEFAULT 0,
    MaxCredit       NUMERIC NOT NULL DEFAULT 0,
    Level           INTEGER NOT NULL DEFAULT 1,
    IsActive        INTEGER NOT NULL DEFAULT 1
);

-- Closure of the account tree: one row for every (ancestor-or-self,
-- descendant-or-self) pair, so each account also lists itself.
CREATE TABLE tblAccountParent (
    ID      INTEGER NOT NULL,
    ChildID INTEGER NOT NULL,
    PRIMARY KEY (ID, ChildID)
) WITHOUT ROWID;

-- The analytic classes of an account, in the order they fill the filters.
CREATE TABLE tblAccountRelatedClasses (
    AccountID INTEGER NOT NULL,
    ClassID   INTEGER NOT NULL,
    Sequence  INTEGER NOT NULL,
    PRIMARY KEY (AccountID, ClassID)
) WITHOUT ROWID;

CREATE TABLE tblAccountPeriod (
    ID        INTEGER PRIMARY KEY,
    Name      TEXT,
    BeginDate TEXT,
    EndDate   TEXT,
    IsActive  INTEGER NOT NULL DEFAULT 0
);

------------------------------------------------------------------------------
-- Accounting documents
------------------------------------------------------------------------------

-- ID 100 is the opening document of a fiscal year.
CREATE TABLE tblAccountDocumentType (
    ID   INTEGER PRIMARY KEY,
    Name TEXT
);

-- IsScratch 1 marks a draft: only the *WithScratch views show it.
CREATE TABLE tblAccountDocument (
    ID                INTEGER PRIMARY KEY,
    Code              INTEGER,
    DocumentDate      TEXT NULL,
    FarsiDocumentDate TEXT,
    BranchID          INTEGER,
    IsFinalized       INTEGER NOT NULL DEFAULT 0,
    IsScratch         INTEGER NOT NULL DEFAULT 0,
    Description       TEXT,
    DocumentTypeID    INTEGER NULL,
    PeriodID          INTEGER NULL,
    UserID            INTEGER NULL
);

-- The columns after IsAssignmentExcluded are copies of the document's own,
-- kept by the triggers below, so that the ledger filters, orders and shows
-- one account's rows through one index without reading the documents.
CREATE TABLE tblAccountDocumentDetail (
    DocumentID           INTEGER NOT NULL,
    RowNumber            INTEGER NOT NULL,
    AccountID            INTEGER NOT NULL,
    DebitValue           NUMERIC NOT NULL DEFAULT 0,
    CreditValue          NUMERIC NOT NULL DEFAULT 0,
    Description          TEXT,
    AccTransDescription  TEXT,
    TransactionDate      TEXT,
    FarsiTransactionDate TEXT,
    DocumentTypeID       INTEGER,
    AdditionalFormSpec   TEXT,
    ContractID           INTEGER NULL,
    FormID               INTEGER NULL,
    FormTypeID           INTEGER NULL,
    IsChecked            INTEGER NOT NULL DEFAULT 0,
    IsAssignmentExcluded INTEGER NOT NULL DEFAULT 0,
    DocumentCode         INTEGER,
    DocumentDate         TEXT,
    FarsiDocumentDate    TEXT,
    BranchID             INTEGER,
    IsFinalized          INTEGER NOT NULL DEFAULT 0,
    IsScratch            INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (DocumentID, RowNumber)
);

-- Analytic objects of a ledger row: at most one object per class.
CREATE TABLE tblAccountDocumentDetailObject (
    DocumentID INTEGER NOT NULL,
    RowNumber  INTEGER NOT NULL,
    ClassID    INTEGER NOT NULL,
    ObjectID   INTEGER NOT NULL,
    PRIMARY KEY (DocumentID, RowNumber, ClassID)
) WITHOUT ROWID;

------------------------------------------------------------------------------
-- Sale invoices and returns (form types 901 and 902)
------------------------------------------------------------------------------

CREATE TABLE tblGoodUnit (
    ID   INTEGER PRIMARY KEY,
    Name TEXT
);

CREATE TABLE tblGood (
    ID          INTEGER PRIMARY KEY,
    Code        TEXT NULL,
    Barcode     TEXT NULL,
    Name        TEXT,
    GoodUnitID  INTEGER NOT NULL,
    GoodGroupID INTEGER NOT NULL,
    RetailPrice NUMERIC NOT NULL,
    IsTaxable   INTEGER NOT NULL DEFAULT 1
);

CREATE TABLE tblSaleInvoice (
    ID               INTEGER PRIMARY KEY,
    Code             INTEGER NOT NULL,
    InvoiceDate      TEXT,
    FarsiInvoiceDate TEXT,
    CustomerID       INTEGER NULL,
    BranchID         INTEGER NULL,
    DocumentID       INTEGER NULL,
    TotalValue       NUMERIC NOT NULL DEFAULT 0,
    TaxValue         NUMERIC NOT NULL DEFAULT 0,
    Description      TEXT
);

CREATE TABLE tblSaleInvoiceItem (
    InvoiceID   INTEGER NOT NULL,
    RowNumber   INTEGER NOT NULL,
    GoodID      INTEGER NOT NULL,
    Qty         NUMERIC NOT NULL,
    RetailPrice NUMERIC NOT NULL,
    SaleValue   NUMERIC NOT NULL,
    PRIMARY KEY (InvoiceID, RowNumber)
) WITHOUT ROWID;

CREATE VIEW vwSaleInvoiceGoodReport AS
SELECT i.InvoiceID, i.RowNumber, g.ID AS GoodID, g.Code, g.Barcode, g.Name,
       i.SaleValue, i.Qty, i.RetailPrice, u.Name AS GoodUnit
FROM tblSaleInvoiceItem i
JOIN tblGood g ON g.ID = i.GoodID
LEFT JOIN tblGoodUnit u ON u.ID = g.GoodUnitID;

-- SaleInvoiceID is null for a return taken back without its invoice.
CREATE TABLE tblSaleReturn (
    ID              INTEGER PRIMARY KEY,
    Code            INTEGER NOT NULL,
    ReturnDate      TEXT,
    FarsiReturnDate TEXT,
    SaleInvoiceID   INTEGER NULL,
    CustomerID      INTEGER NULL,
    BranchID        INTEGER NULL,
    DocumentID      INTEGER NULL,
    TotalValue      NUMERIC NOT NULL DEFAULT 0,
    Description     TEXT
);

------------------------------------------------------------------------------
-- Views of the ledger
------------------------------------------------------------------------------

-- Every ledger row, drafts included, with the names the ledger shows. The
-- names come from subqueries, which SQLite evaluates only for the columns a
-- query reads: sums over a million rows never look them up.
CREATE VIEW vwAccountDocumentDetailWithScratch AS
SELECT d.DocumentCode         AS AccTransCode,
       d.DocumentID           AS DocumentID,
       d.FarsiDocumentDate    AS FarsiDocumentDate,
       d.FarsiTransactionDate AS FarsiTransactionDate,
       d.Description          AS Description,
       d.DebitValue           AS Debit,
       d.CreditValue          AS Credit,
       t.Name                 AS AccDocumentType,
       d.AdditionalFormSpec   AS AdditionalFormSpec,
       d.DocumentDate         AS DocumentDate,
       d.TransactionDate      AS TransactionDate,
       d.DocumentTypeID       AS DocumentTypeID,
       d.ContractID           AS ContractID,
       c.Name                 AS AccContract,
       d.AccTransDescription  AS AccTransDescription,
       d.RowNumber            AS RowNumber,
       d.IsFinalized          AS IsFinalized,
       d.IsChecked            AS IsChecked,
       a.Code                 AS AccountCode,
       d.FormID               AS FormID,
       d.FormTypeID           AS FormTypeID,
       f.Name                 AS FormType,
       f.FileName             AS FileName,
       d.IsAssignmentExcluded AS IsAssignmentExcluded,
       d.AccountID            AS AccountID,
       d.BranchID             AS BranchID,
       d.DebitValue           AS DebitValue,
       d.CreditValue          AS CreditValue,
       d.IsScratch            AS IsScratch,
       d.DocumentCode         AS Code,
       a.Title                AS AccountTitle,
       (SELECT doc.Description FROM tblAccountDocument doc WHERE doc.ID = d.DocumentID) AS DocumentDescription
FROM tblAccountDocumentDetail d
LEFT JOIN tblAccountDocumentType t ON t.ID = d.DocumentTypeID
LEFT JOIN tblAccountContractProject c ON c.ID = d.ContractID
LEFT JOIN tblAccount a ON a.ID = d.AccountID
LEFT JOIN tblVelkoFormType f ON f.ID = d.FormTypeID;

-- Rows of posted documents only (no drafts).
CREATE VIEW vwAccountDocumentDetail AS
SELECT * FROM vwAccountDocumentDetailWithScratch WHERE IsScratch = 0;

CREATE VIEW vwAccountNonPreDocumentDetail AS
SELECT * FROM vwAccountDocumentDetailWithScratch WHERE IsScratch = 0;

CREATE VIEW vwAccountNonPreDocumentDetailWithScratch AS
SELECT * FROM vwAccountDocumentDetailWithScratch;

-- One row per document, with its number and date.
CREATE VIEW vwAccountNonPreDocument AS
SELECT ID, Code, DocumentDate, FarsiDocumentDate, BranchID, IsFinalized, DocumentTypeID, Description
FROM tblAccountDocument WHERE IsScratch = 0;

CREATE VIEW vwAccountNonPreDocumentWithScratch AS
SELECT ID, Code, DocumentDate, FarsiDocumentDate, BranchID, IsFinalized, DocumentTypeID, Description
FROM tblAccountDocument;

-- Analytic objects of the ledger rows ("Documnet" is the host's spelling).
CREATE VIEW vwAccountNonPreDocumnetObjects AS
SELECT o.DocumentID, o.RowNumber, o.ClassID, o.ObjectID
FROM tblAccountDocumentDetailObject o
JOIN tblAccountDocument doc ON doc.ID = o.DocumentID
WHERE doc.IsScratch = 0;

CREATE VIEW vwAccountNonPreDocumnetObjectsWithScratch AS
SELECT o.DocumentID, o.RowNumber, o.ClassID, o.ObjectID
FROM tblAccountDocumentDetailObject o;

-- Debit and credit of each source form on each account: a form whose two
-- sums differ is not yet balanced on an intermediary account.
CREATE VIEW vwAccountDocumentInfo AS
SELECT AccountID, FormTypeID, FormID,
       SUM(DebitValue) AS SumDebit, SUM(CreditValue) AS SumCredit, COUNT(*) AS DetailCount
FROM tblAccountDocumentDetail
WHERE IsScratch = 0 AND FormID IS NOT NULL
GROUP BY AccountID, FormTypeID, FormID;

CREATE VIEW vwAccountDocumentInfoWithScratch AS
SELECT AccountID, FormTypeID, FormID,
       SUM(DebitValue) AS SumDebit, SUM(CreditValue) AS SumCredit, COUNT(*) AS DetailCount
FROM tblAccountDocumentDetail
WHERE FormID IS NOT NULL
GROUP BY AccountID, FormTypeID, FormID;

-- @deferred: indexes and triggers, created after a bulk load.

------------------------------------------------------------------------------
-- Indexes for the ledger on large books
------------------------------------------------------------------------------

-- One account's rows in document-date order, and in due-date order.
CREATE INDEX ixAccountDocumentDetailAccountDate
    ON tblAccountDocumentDetail (AccountID, DocumentDate, DocumentCode, DocumentID, RowNumber);
CREATE INDEX ixAccountDocumentDetailAccountTransaction
    ON tblAccountDocumentDetail (AccountID, TransactionDate, DocumentCode, DocumentID, RowNumber);

-- First and last document number of a date range, and the reverse.
CREATE INDEX ixAccountDocumentDateCode ON tblAccountDocument (DocumentDate, Code);
CREATE INDEX ixAccountDocumentCodeDate ON tblAccountDocument (Code, DocumentDate);

-- Assignment links seen from either side.
CREATE INDEX ixVelkoRelatedFormsRelated
    ON tblVelkoRelatedForms (RelatedFormTypeID, RelatedFormID, RelatedFormRowNumber);
CREATE INDEX ixVelkoRelatedFormsReference
    ON tblVelkoRelatedForms (ReferenceFormTypeID, ReferenceFormID, ReferenceFormRowNumber);

CREATE INDEX ixAccountParentID ON tblAccount (ParentID);
CREATE INDEX ixAccountCode ON tblAccount (Code);
CREATE INDEX ixAccountParentChild ON tblAccountParent (ChildID, ID);
CREATE INDEX ixAccountRelatedClassesSequence ON tblAccountRelatedClasses (AccountID, Sequence);
CREATE INDEX ixSaleInvoiceDocument ON tblSaleInvoice (DocumentID);
CREATE INDEX ixSaleReturnInvoice ON tblSaleReturn (SaleInvoiceID);

------------------------------------------------------------------------------
-- Keep the document columns copied into the ledger rows in step
------------------------------------------------------------------------------

CREATE TRIGGER trAccountDocumentDetailInsert AFTER INSERT ON tblAccountDocumentDetail
BEGIN
    UPDATE tblAccountDocumentDetail
       SET DocumentCode = doc.Code, DocumentDate = doc.DocumentDate, FarsiDocumentDate = doc.FarsiDocumentDate,
           BranchID = doc.BranchID, IsFinalized = doc.IsFinalized, IsScratch = doc.IsScratch
      FROM tblAccountDocument doc
     WHERE doc.ID = NEW.DocumentID AND tblAccountDocumentDetail.rowid = NEW.rowid;
END;

CREATE TRIGGER trAccountDocumentDetailMove AFTER UPDATE OF DocumentID ON tblAccountDocumentDetail
BEGIN
    UPDATE tblAccountDocumentDetail
       SET DocumentCode = doc.Code, DocumentDate = doc.DocumentDate, FarsiDocumentDate = doc.FarsiDocumentDate,
           BranchID = doc.BranchID, IsFinalized = doc.IsFinalized, IsScratch = doc.IsScratch
      FROM tblAccountDocument doc
     WHERE doc.ID = NEW.DocumentID AND tblAccountDocumentDetail.rowid = NEW.rowid;
END;

CREATE TRIGGER trAccountDocumentInsert AFTER INSERT ON tblAccountDocument
BEGIN
    UPDATE tblAccountDocumentDetail
       SET DocumentCode = NEW.Code, DocumentDate = NEW.DocumentDate, FarsiDocumentDate = NEW.FarsiDocumentDate,
           BranchID = NEW.BranchID, IsFinalized = NEW.IsFinalized, IsScratch = NEW.IsScratch
     WHERE DocumentID = NEW.ID;
END;

CREATE TRIGGER trAccountDocumentUpdate
AFTER UPDATE OF ID, Code, DocumentDate, FarsiDocumentDate, BranchID, IsFinalized, IsScratch ON tblAccountDocument
BEGIN
    UPDATE tblAccountDocumentDetail
       SET DocumentCode = NEW.Code, DocumentDate = NEW.DocumentDate, FarsiDocumentDate = NEW.FarsiDocumentDate,
           BranchID = NEW.BranchID, IsFinalized = NEW.IsFinalized, IsScratch = NEW.IsScratch
     WHERE DocumentID = NEW.ID;
END;
