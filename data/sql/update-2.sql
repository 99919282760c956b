-- Schema version 1 to 2: the change dates that the upload to the server reads (inserted and
-- updated, kept by triggers as local "yyyy-mm-dd hh:nn:ss"), and the history of the recipes
-- served, which random generation avoids.
--
-- Each statement follows a line holding only the tag and ends with ";" and an empty line;
-- the program runs them one by one, so a block holds exactly one statement. A trigger's
-- body has no empty line, so its inner ";" does not end the block.
--
-- ADD COLUMN cannot take a non-constant default: the columns start empty, the rows already
-- there are stamped with the time of the migration, and the triggers do the rest.

--u
ALTER TABLE livre ADD COLUMN inserted TEXT;

--u
ALTER TABLE livre ADD COLUMN updated TEXT;

--u
UPDATE livre SET inserted = datetime('now', 'localtime'), updated = datetime('now', 'localtime');

--u
ALTER TABLE rayon ADD COLUMN inserted TEXT;

--u
ALTER TABLE rayon ADD COLUMN updated TEXT;

--u
UPDATE rayon SET inserted = datetime('now', 'localtime'), updated = datetime('now', 'localtime');

--u
ALTER TABLE unite ADD COLUMN inserted TEXT;

--u
ALTER TABLE unite ADD COLUMN updated TEXT;

--u
UPDATE unite SET inserted = datetime('now', 'localtime'), updated = datetime('now', 'localtime');

--u
ALTER TABLE ingredient ADD COLUMN inserted TEXT;

--u
ALTER TABLE ingredient ADD COLUMN updated TEXT;

--u
UPDATE ingredient SET inserted = datetime('now', 'localtime'), updated = datetime('now', 'localtime');

--u
ALTER TABLE recette ADD COLUMN inserted TEXT;

--u
ALTER TABLE recette ADD COLUMN updated TEXT;

--u
UPDATE recette SET inserted = datetime('now', 'localtime'), updated = datetime('now', 'localtime');

--u
ALTER TABLE ingredients ADD COLUMN inserted TEXT;

--u
ALTER TABLE ingredients ADD COLUMN updated TEXT;

--u
UPDATE ingredients SET inserted = datetime('now', 'localtime'), updated = datetime('now', 'localtime');

--u
CREATE INDEX livre_inserted ON livre (inserted);

--u
CREATE INDEX livre_updated ON livre (updated);

--u
CREATE INDEX rayon_inserted ON rayon (inserted);

--u
CREATE INDEX rayon_updated ON rayon (updated);

--u
CREATE INDEX unite_inserted ON unite (inserted);

--u
CREATE INDEX unite_updated ON unite (updated);

--u
CREATE INDEX ingredient_inserted ON ingredient (inserted);

--u
CREATE INDEX ingredient_updated ON ingredient (updated);

--u
CREATE INDEX recette_inserted ON recette (inserted);

--u
CREATE INDEX recette_updated ON recette (updated);

--u
CREATE INDEX ingredients_inserted ON ingredients (inserted);

--u
CREATE INDEX ingredients_updated ON ingredients (updated);

-- The update triggers fire only for the data columns, so neither the stamping of the insert
-- triggers nor their own UPDATE fires them again.

--u
CREATE TRIGGER livre_insert AFTER INSERT ON livre
BEGIN
    UPDATE livre SET inserted = datetime('now', 'localtime'), updated = datetime('now', 'localtime')
    WHERE code = NEW.code;
END;

--u
CREATE TRIGGER livre_update AFTER UPDATE OF name ON livre
WHEN OLD.name IS NOT NEW.name
BEGIN
    UPDATE livre SET updated = datetime('now', 'localtime') WHERE code = NEW.code;
END;

--u
CREATE TRIGGER rayon_insert AFTER INSERT ON rayon
BEGIN
    UPDATE rayon SET inserted = datetime('now', 'localtime'), updated = datetime('now', 'localtime')
    WHERE code = NEW.code;
END;

--u
CREATE TRIGGER rayon_update AFTER UPDATE OF name ON rayon
WHEN OLD.name IS NOT NEW.name
BEGIN
    UPDATE rayon SET updated = datetime('now', 'localtime') WHERE code = NEW.code;
END;

--u
CREATE TRIGGER unite_insert AFTER INSERT ON unite
BEGIN
    UPDATE unite SET inserted = datetime('now', 'localtime'), updated = datetime('now', 'localtime')
    WHERE code = NEW.code;
END;

--u
CREATE TRIGGER unite_update AFTER UPDATE OF name ON unite
WHEN OLD.name IS NOT NEW.name
BEGIN
    UPDATE unite SET updated = datetime('now', 'localtime') WHERE code = NEW.code;
END;

--u
CREATE TRIGGER ingredient_insert AFTER INSERT ON ingredient
BEGIN
    UPDATE ingredient SET inserted = datetime('now', 'localtime'), updated = datetime('now', 'localtime')
    WHERE code = NEW.code;
END;

--u
CREATE TRIGGER ingredient_update AFTER UPDATE OF name, raycode ON ingredient
WHEN OLD.name IS NOT NEW.name OR OLD.raycode IS NOT NEW.raycode
BEGIN
    UPDATE ingredient SET updated = datetime('now', 'localtime') WHERE code = NEW.code;
END;

--u
CREATE TRIGGER recette_insert AFTER INSERT ON recette
BEGIN
    UPDATE recette SET inserted = datetime('now', 'localtime'), updated = datetime('now', 'localtime')
    WHERE code = NEW.code;
END;

--u
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

--u
CREATE TRIGGER ingredients_insert AFTER INSERT ON ingredients
BEGIN
    UPDATE ingredients SET inserted = datetime('now', 'localtime'), updated = datetime('now', 'localtime')
    WHERE reccode = NEW.reccode AND ingcode = NEW.ingcode;
END;

--u
CREATE TRIGGER ingredients_update AFTER UPDATE OF reccode, ingcode, quantite, unitecode, note ON ingredients
WHEN OLD.reccode IS NOT NEW.reccode OR OLD.ingcode IS NOT NEW.ingcode OR
    OLD.quantite IS NOT NEW.quantite OR OLD.unitecode IS NOT NEW.unitecode OR
    OLD.note IS NOT NEW.note
BEGIN
    UPDATE ingredients SET updated = datetime('now', 'localtime')
    WHERE reccode = NEW.reccode AND ingcode = NEW.ingcode;
END;

--u
CREATE TABLE historique (
    reccode INTEGER NOT NULL REFERENCES recette (code) ON DELETE CASCADE,
    recdate TEXT NOT NULL,
    UNIQUE (reccode, recdate) ON CONFLICT IGNORE
);

--u
PRAGMA user_version = 2;

