-- Fenolda recipe database, schema version 2.
--
-- Loaded into an empty database, then starter.sql, to make the shipped recipes-base.db3.
-- A database of an older version reaches the same rules through sql/update-1.sql and
-- sql/update-2.sql, so any change here needs its migration there (and the other way round).
--
-- Rules the program relies on:
-- * every column it reads as a number is declared exactly INTEGER, except quantite (REAL,
--   so that quantite/nbpers divides as real numbers in the shopping list);
-- * code is the first column of livre, rayon, unite, ingredient and recette, and the
--   database assigns it; AUTOINCREMENT keeps a deleted row's code from coming back, so a
--   saved menu or the server never mistakes a new recipe for an old one;
-- * names are unique without regard to case (NOCASE folds the letters A to Z only, so
--   "Épices" and "épices" remain two names); the column itself keeps the binary collation
--   so that the lookups "name=:name" still match exactly;
-- * inserted and updated are kept by the triggers as local "yyyy-mm-dd hh:nn:ss", which
--   the upload compares as text with the time of the previous upload;
-- * foreign keys are switched on by the program at each open: ingredient lines and
--   history rows go with their recipe, lines go with their ingredient, and a deleted
--   shelf, cookbook or unit leaves NULL behind.

PRAGMA user_version = 2;

CREATE TABLE livre (
    code INTEGER PRIMARY KEY AUTOINCREMENT,
    name TEXT NOT NULL,
    inserted TEXT,
    updated TEXT
);

CREATE TABLE rayon (
    code INTEGER PRIMARY KEY AUTOINCREMENT,
    name TEXT NOT NULL,
    inserted TEXT,
    updated TEXT
);

CREATE TABLE unite (
    code INTEGER PRIMARY KEY AUTOINCREMENT,
    name TEXT NOT NULL,
    inserted TEXT,
    updated TEXT
);

CREATE TABLE ingredient (
    code INTEGER PRIMARY KEY AUTOINCREMENT,
    name TEXT NOT NULL,
    raycode INTEGER REFERENCES rayon (code) ON DELETE SET NULL,
    inserted TEXT,
    updated TEXT
);

-- trepos comes after filename: that is where the migration of version 1 appends it, and
-- the base file keeps the same column order as a migrated database.
CREATE TABLE recette (
    code INTEGER PRIMARY KEY AUTOINCREMENT,
    name TEXT NOT NULL,
    description TEXT,
    tprep INTEGER NOT NULL DEFAULT 0,
    tcuisson INTEGER NOT NULL DEFAULT 0,
    nbpers INTEGER NOT NULL DEFAULT 4,
    menupers INTEGER,
    repas INTEGER NOT NULL DEFAULT 0,
    type_ INTEGER NOT NULL DEFAULT 1,
    saison INTEGER NOT NULL DEFAULT 0,
    livcode INTEGER REFERENCES livre (code) ON DELETE SET NULL,
    page TEXT,
    link TEXT,
    prep TEXT,
    photo TEXT,
    filestream TEXT,
    filename TEXT,
    trepos INTEGER NOT NULL DEFAULT 0,
    inserted TEXT,
    updated TEXT
);

-- A NULL quantity or note is stored as 0 or '' (ON CONFLICT REPLACE takes the default):
-- the shopping list groups lines by note, and a NULL note would split one article in two.
CREATE TABLE ingredients (
    reccode INTEGER NOT NULL REFERENCES recette (code) ON DELETE CASCADE,
    ingcode INTEGER NOT NULL REFERENCES ingredient (code) ON DELETE CASCADE,
    quantite REAL NOT NULL ON CONFLICT REPLACE DEFAULT 0,
    unitecode INTEGER REFERENCES unite (code) ON DELETE SET NULL,
    note TEXT NOT NULL ON CONFLICT REPLACE DEFAULT '',
    inserted TEXT,
    updated TEXT,
    PRIMARY KEY (reccode, ingcode)
);

-- Every save of a menu records its recipes again: a repeated pair is silently dropped
-- instead of piling up.
CREATE TABLE historique (
    reccode INTEGER NOT NULL REFERENCES recette (code) ON DELETE CASCADE,
    recdate TEXT NOT NULL,
    UNIQUE (reccode, recdate) ON CONFLICT IGNORE
);

CREATE UNIQUE INDEX livre_name ON livre (name COLLATE NOCASE);
CREATE UNIQUE INDEX rayon_name ON rayon (name COLLATE NOCASE);
CREATE UNIQUE INDEX unite_name ON unite (name COLLATE NOCASE);
CREATE UNIQUE INDEX ingredient_name ON ingredient (name COLLATE NOCASE);
CREATE UNIQUE INDEX recette_name ON recette (name COLLATE NOCASE);

-- Random generation: "type_=:type and (repas=0 or repas=:repas) and (saison=0 or saison=n)".
CREATE INDEX recette_candidate ON recette (type_, repas, saison);
-- Child keys, so that deleting a cookbook, shelf, unit or ingredient (and merging two
-- ingredients) does not scan the referring table.
CREATE INDEX recette_livcode ON recette (livcode);
CREATE INDEX ingredient_raycode ON ingredient (raycode);
CREATE INDEX ingredients_ingcode ON ingredients (ingcode);
CREATE INDEX ingredients_unitecode ON ingredients (unitecode);

-- The upload's "where inserted > :lastSync" and "where updated > :lastSync".
CREATE INDEX livre_inserted ON livre (inserted);
CREATE INDEX livre_updated ON livre (updated);
CREATE INDEX rayon_inserted ON rayon (inserted);
CREATE INDEX rayon_updated ON rayon (updated);
CREATE INDEX unite_inserted ON unite (inserted);
CREATE INDEX unite_updated ON unite (updated);
CREATE INDEX ingredient_inserted ON ingredient (inserted);
CREATE INDEX ingredient_updated ON ingredient (updated);
CREATE INDEX recette_inserted ON recette (inserted);
CREATE INDEX recette_updated ON recette (updated);
CREATE INDEX ingredients_inserted ON ingredients (inserted);
CREATE INDEX ingredients_updated ON ingredients (updated);

-- Change dates. The insert triggers stamp both dates; the update triggers fire only for
-- the data columns, so neither the stamping itself nor a trigger's own UPDATE fires them
-- again. A shelf, cookbook or unit deleted under a row sets its reference to NULL, which
-- counts as a change of that row.
CREATE TRIGGER livre_insert AFTER INSERT ON livre
BEGIN
    UPDATE livre SET inserted = datetime('now', 'localtime'), updated = datetime('now', 'localtime')
    WHERE code = NEW.code;
END;

CREATE TRIGGER livre_update AFTER UPDATE OF name ON livre
WHEN OLD.name IS NOT NEW.name
BEGIN
    UPDATE livre SET updated = datetime('now', 'localtime') WHERE code = NEW.code;
END;

CREATE TRIGGER rayon_insert AFTER INSERT ON rayon
BEGIN
    UPDATE rayon SET inserted = datetime('now', 'localtime'), updated = datetime('now', 'localtime')
    WHERE code = NEW.code;
END;

CREATE TRIGGER rayon_update AFTER UPDATE OF name ON rayon
WHEN OLD.name IS NOT NEW.name
BEGIN
    UPDATE rayon SET updated = datetime('now', 'localtime') WHERE code = NEW.code;
END;

CREATE TRIGGER unite_insert AFTER INSERT ON unite
BEGIN
    UPDATE unite SET inserted = datetime('now', 'localtime'), updated = datetime('now', 'localtime')
    WHERE code = NEW.code;
END;

CREATE TRIGGER unite_update AFTER UPDATE OF name ON unite
WHEN OLD.name IS NOT NEW.name
BEGIN
    UPDATE unite SET updated = datetime('now', 'localtime') WHERE code = NEW.code;
END;

CREATE TRIGGER ingredient_insert AFTER INSERT ON ingredient
BEGIN
    UPDATE ingredient SET inserted = datetime('now', 'localtime'), updated = datetime('now', 'localtime')
    WHERE code = NEW.code;
END;

CREATE TRIGGER ingredient_update AFTER UPDATE OF name, raycode ON ingredient
WHEN OLD.name IS NOT NEW.name OR OLD.raycode IS NOT NEW.raycode
BEGIN
    UPDATE ingredient SET updated = datetime('now', 'localtime') WHERE code = NEW.code;
END;

CREATE TRIGGER recette_insert AFTER INSERT ON recette
BEGIN
    UPDATE recette SET inserted = datetime('now', 'localtime'), updated = datetime('now', 'localtime')
    WHERE code = NEW.code;
END;

CREATE TRIGGER recette_update AFTER UPDATE OF name, description, tprep, tcuisson, nbpers, menupers,
    repas, type_, saison, livcode, page, link, prep, photo, filestream, filename, trepos ON recette
WHEN OLD.name IS NOT NEW.name OR OLD.description IS NOT NEW.description OR
    OLD.tprep IS NOT NEW.tprep OR OLD.tcuisson IS NOT NEW.tcuisson OR
    OLD.nbpers IS NOT NEW.nbpers OR OLD.menupers IS NOT NEW.menupers OR
    OLD.repas IS NOT NEW.repas OR OLD.type_ IS NOT NEW.type_ OR OLD.saison IS NOT NEW.saison OR
    OLD.livcode IS NOT NEW.livcode OR OLD.page IS NOT NEW.page OR OLD.link IS NOT NEW.link OR
    OLD.prep IS NOT NEW.prep OR OLD.photo IS NOT NEW.photo OR
    OLD.filestream IS NOT NEW.filestream OR OLD.filename IS NOT NEW.filename OR
    OLD.trepos IS NOT NEW.trepos
BEGIN
    UPDATE recette SET updated = datetime('now', 'localtime') WHERE code = NEW.code;
END;

CREATE TRIGGER ingredients_insert AFTER INSERT ON ingredients
BEGIN
    UPDATE ingredients SET inserted = datetime('now', 'localtime'), updated = datetime('now', 'localtime')
    WHERE reccode = NEW.reccode AND ingcode = NEW.ingcode;
END;

CREATE TRIGGER ingredients_update AFTER UPDATE OF reccode, ingcode, quantite, unitecode, note ON ingredients
WHEN OLD.reccode IS NOT NEW.reccode OR OLD.ingcode IS NOT NEW.ingcode OR
    OLD.quantite IS NOT NEW.quantite OR OLD.unitecode IS NOT NEW.unitecode OR
    OLD.note IS NOT NEW.note
BEGIN
    UPDATE ingredients SET updated = datetime('now', 'localtime')
    WHERE reccode = NEW.reccode AND ingcode = NEW.ingcode;
END;
