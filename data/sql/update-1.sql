-- Schema version 0 to 1: the rest time of recipes, names unique without regard to case,
-- and the indexes of random generation and of the child keys.
--
-- Each statement follows a line holding only the tag and ends with ";" and an empty line;
-- the program runs them one by one, so a block holds exactly one statement.

--u
ALTER TABLE recette ADD COLUMN trepos INTEGER NOT NULL DEFAULT 0;

-- Version 0 did not refuse a name twice. Before the unique indexes can be built, every
-- later row whose name repeats an earlier one (letters A to Z without regard to case) gets
-- its code appended, so nothing is lost and the user can tidy the names afterwards.

--u
UPDATE livre SET name = name || ' (' || code || ')'
WHERE EXISTS (SELECT 1 FROM livre AS other WHERE other.name = livre.name COLLATE NOCASE AND other.code < livre.code);

--u
UPDATE rayon SET name = name || ' (' || code || ')'
WHERE EXISTS (SELECT 1 FROM rayon AS other WHERE other.name = rayon.name COLLATE NOCASE AND other.code < rayon.code);

--u
UPDATE unite SET name = name || ' (' || code || ')'
WHERE EXISTS (SELECT 1 FROM unite AS other WHERE other.name = unite.name COLLATE NOCASE AND other.code < unite.code);

--u
UPDATE ingredient SET name = name || ' (' || code || ')'
WHERE EXISTS (SELECT 1 FROM ingredient AS other WHERE other.name = ingredient.name COLLATE NOCASE AND other.code < ingredient.code);

--u
UPDATE recette SET name = name || ' (' || code || ')'
WHERE EXISTS (SELECT 1 FROM recette AS other WHERE other.name = recette.name COLLATE NOCASE AND other.code < recette.code);

--u
CREATE UNIQUE INDEX livre_name ON livre (name COLLATE NOCASE);

--u
CREATE UNIQUE INDEX rayon_name ON rayon (name COLLATE NOCASE);

--u
CREATE UNIQUE INDEX unite_name ON unite (name COLLATE NOCASE);

--u
CREATE UNIQUE INDEX ingredient_name ON ingredient (name COLLATE NOCASE);

--u
CREATE UNIQUE INDEX recette_name ON recette (name COLLATE NOCASE);

--u
CREATE INDEX recette_candidate ON recette (type_, repas, saison);

--u
CREATE INDEX recette_livcode ON recette (livcode);

--u
CREATE INDEX ingredient_raycode ON ingredient (raycode);

--u
CREATE INDEX ingredients_ingcode ON ingredients (ingcode);

--u
CREATE INDEX ingredients_unitecode ON ingredients (unitecode);

--u
PRAGMA user_version = 1;

