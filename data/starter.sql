-- Starter rows of the shipped recipes-base.db3, loaded after schema.sql.
--
-- Codes are assigned by the database, so rows refer to each other by name. Shelves are
-- inserted in the order of a walk through the shop: the shopping list sorts them by code.
-- An ingredient line whose ingredient name is misspelt fails on its NOT NULL ingcode;
-- check unit names by hand, a misspelt one leaves the line without unit.

-- Cookbooks
INSERT INTO livre (name) VALUES
    ('Carnet de cuisine familiale'),
    ('Douceurs du dimanche'),
    ('Au fil des saisons'),
    ('Petits plats pour tous les soirs');

-- Shop shelves
INSERT INTO rayon (name) VALUES
    ('Fruits et légumes'),
    ('Boulangerie'),
    ('Boucherie'),
    ('Volaille'),
    ('Charcuterie'),
    ('Poissonnerie'),
    ('Crèmerie'),
    ('Fromagerie'),
    ('Épicerie salée'),
    ('Conserves et bocaux'),
    ('Pâtes, riz et féculents'),
    ('Huiles, vinaigres et condiments'),
    ('Épices et aromates'),
    ('Épicerie sucrée'),
    ('Surgelés'),
    ('Boissons');

-- Units of measure
INSERT INTO unite (name) VALUES
    ('g'),
    ('kg'),
    ('ml'),
    ('cl'),
    ('dl'),
    ('l'),
    ('c. à café'),
    ('c. à soupe'),
    ('pincée'),
    ('verre'),
    ('tranche'),
    ('gousse'),
    ('botte'),
    ('brin'),
    ('feuille'),
    ('sachet'),
    ('boîte'),
    ('pot'),
    ('rouleau'),
    ('cube');

-- Ingredients, shelf by shelf
INSERT INTO ingredient (name, raycode)
SELECT column1, (SELECT code FROM rayon WHERE name = 'Fruits et légumes') FROM (VALUES
    ('Ail'), ('Oignons'), ('Échalotes'), ('Carottes'), ('Pommes de terre'), ('Tomates'),
    ('Courgettes'), ('Aubergines'), ('Poivrons rouges'), ('Poivrons verts'), ('Concombre'), ('Salade verte'),
    ('Poireaux'), ('Céleri-rave'), ('Champignons de Paris'), ('Chou-fleur'), ('Haricots verts'), ('Potiron'),
    ('Navets'), ('Endives'), ('Fenouil'), ('Asperges vertes'), ('Betteraves cuites'), ('Radis'),
    ('Avocats'), ('Citrons'), ('Oranges'), ('Pommes'), ('Poires'), ('Bananes'),
    ('Fraises'), ('Cerises'), ('Pêches'), ('Abricots'), ('Melon'), ('Menthe fraîche'),
    ('Persil plat'), ('Ciboulette'), ('Basilic frais'), ('Coriandre fraîche'), ('Gingembre frais')
);
INSERT INTO ingredient (name, raycode)
SELECT column1, (SELECT code FROM rayon WHERE name = 'Boulangerie') FROM (VALUES
    ('Baguette'), ('Pain de campagne'), ('Pain de mie')
);
INSERT INTO ingredient (name, raycode)
SELECT column1, (SELECT code FROM rayon WHERE name = 'Boucherie') FROM (VALUES
    ('Boeuf haché'), ('Boeuf à braiser'), ('Épaule de veau'), ('Rôti de porc'), ('Échine de porc'), ('Chair à saucisse'),
    ('Saucisses de Toulouse'), ('Épaule d''agneau')
);
INSERT INTO ingredient (name, raycode)
SELECT column1, (SELECT code FROM rayon WHERE name = 'Volaille') FROM (VALUES
    ('Poulet entier'), ('Blancs de poulet'), ('Cuisses de poulet'), ('Escalopes de dinde'), ('Magrets de canard')
);
INSERT INTO ingredient (name, raycode)
SELECT column1, (SELECT code FROM rayon WHERE name = 'Charcuterie') FROM (VALUES
    ('Lardons'), ('Jambon blanc'), ('Jambon cru')
);
INSERT INTO ingredient (name, raycode)
SELECT column1, (SELECT code FROM rayon WHERE name = 'Poissonnerie') FROM (VALUES
    ('Filets de cabillaud'), ('Pavés de saumon'), ('Saumon fumé'), ('Crevettes cuites'), ('Moules')
);
INSERT INTO ingredient (name, raycode)
SELECT column1, (SELECT code FROM rayon WHERE name = 'Crèmerie') FROM (VALUES
    ('Beurre'), ('Beurre demi-sel'), ('Lait'), ('Crème fraîche épaisse'), ('Crème liquide'), ('Oeufs'),
    ('Yaourts nature'), ('Fromage blanc'), ('Fromage frais'), ('Mascarpone'), ('Pâte brisée'), ('Pâte feuilletée'),
    ('Pâte sablée')
);
INSERT INTO ingredient (name, raycode)
SELECT column1, (SELECT code FROM rayon WHERE name = 'Fromagerie') FROM (VALUES
    ('Gruyère râpé'), ('Emmental'), ('Parmesan'), ('Mozzarella'), ('Bûche de chèvre'), ('Roquefort'),
    ('Reblochon')
);
INSERT INTO ingredient (name, raycode)
SELECT column1, (SELECT code FROM rayon WHERE name = 'Épicerie salée') FROM (VALUES
    ('Bouillon de volaille'), ('Bouillon de légumes'), ('Olives noires'), ('Olives vertes'), ('Tahini'), ('Pignons de pin')
);
INSERT INTO ingredient (name, raycode)
SELECT column1, (SELECT code FROM rayon WHERE name = 'Conserves et bocaux') FROM (VALUES
    ('Tomates concassées'), ('Concentré de tomates'), ('Coulis de tomates'), ('Pois chiches'), ('Haricots rouges'), ('Thon au naturel'),
    ('Maïs'), ('Lait de coco')
);
INSERT INTO ingredient (name, raycode)
SELECT column1, (SELECT code FROM rayon WHERE name = 'Pâtes, riz et féculents') FROM (VALUES
    ('Spaghetti'), ('Penne'), ('Tagliatelles'), ('Feuilles de lasagne'), ('Riz long'), ('Riz rond'),
    ('Riz à risotto'), ('Semoule'), ('Lentilles vertes'), ('Lentilles corail'), ('Farine de sarrasin')
);
INSERT INTO ingredient (name, raycode)
SELECT column1, (SELECT code FROM rayon WHERE name = 'Huiles, vinaigres et condiments') FROM (VALUES
    ('Huile d''olive'), ('Huile de tournesol'), ('Vinaigre balsamique'), ('Vinaigre de vin'), ('Moutarde de Dijon'), ('Mayonnaise'),
    ('Ketchup'), ('Sauce soja')
);
INSERT INTO ingredient (name, raycode)
SELECT column1, (SELECT code FROM rayon WHERE name = 'Épices et aromates') FROM (VALUES
    ('Sel'), ('Poivre'), ('Herbes de Provence'), ('Thym'), ('Laurier'), ('Bouquet garni'),
    ('Cumin'), ('Curry'), ('Paprika'), ('Muscade'), ('Cannelle'), ('Piment d''Espelette'),
    ('Ras el hanout')
);
INSERT INTO ingredient (name, raycode)
SELECT column1, (SELECT code FROM rayon WHERE name = 'Épicerie sucrée') FROM (VALUES
    ('Farine'), ('Maïzena'), ('Sucre en poudre'), ('Sucre glace'), ('Cassonade'), ('Sucre vanillé'),
    ('Vanille'), ('Levure chimique'), ('Chocolat noir pâtissier'), ('Cacao en poudre'), ('Poudre d''amandes'), ('Amandes effilées'),
    ('Noix'), ('Raisins secs'), ('Pruneaux'), ('Abricots secs'), ('Miel'), ('Confiture d''abricots'),
    ('Biscuits à la cuillère'), ('Gélatine'), ('Café'), ('Thé noir')
);
INSERT INTO ingredient (name, raycode)
SELECT column1, (SELECT code FROM rayon WHERE name = 'Surgelés') FROM (VALUES
    ('Petits pois'), ('Fruits rouges surgelés'), ('Glace vanille')
);
INSERT INTO ingredient (name, raycode)
SELECT column1, (SELECT code FROM rayon WHERE name = 'Boissons') FROM (VALUES
    ('Vin rouge'), ('Vin blanc'), ('Eau gazeuse'), ('Rhum')
);
-- No shelf: listed under "Divers"
INSERT INTO ingredient (name) VALUES
    ('Eau'),
    ('Glaçons');
-- Added last, so the codes above stay as they are, but shelved beside their kin.
INSERT INTO ingredient (name, raycode) VALUES
    ('Gros sel', (SELECT code FROM rayon WHERE name = 'Épices et aromates')),
    ('Pâte à pizza', (SELECT code FROM rayon WHERE name = 'Crèmerie'));

-- ======================================================================
-- Entrées
-- ======================================================================

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Salade de tomates à la mozzarella',
    'Tomates bien mûres et mozzarella en tranches, arrosées d''huile d''olive et parsemées de basilic frais.',
    15, 0, 0, 4, 0, 0, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Salade de tomates à la mozzarella'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Tomates', 4, NULL, 'en tranches'),
    ('Mozzarella', 250, 'g', 'en tranches'),
    ('Basilic frais', 0.5, 'botte', ''),
    ('Huile d''olive', 3, 'c. à soupe', ''),
    ('Vinaigre balsamique', 1, 'c. à soupe', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Carottes râpées au citron',
    'Une entrée fraîche et croquante, relevée de jus de citron et d''un peu de persil.',
    15, 0, 0, 4, 0, 0, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Carottes râpées au citron'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Carottes', 500, 'g', 'râpées'),
    ('Citrons', 1, NULL, 'jus'),
    ('Huile de tournesol', 2, 'c. à soupe', ''),
    ('Persil plat', 0.25, 'botte', 'haché'),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Céleri rémoulade',
    'Le classique des bistrots : du céleri-rave râpé finement et lié d''une mayonnaise bien moutardée.',
    20, 0, 30, 4, 0, 0, 0, (SELECT code FROM livre WHERE name = 'Carnet de cuisine familiale'), '18', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Céleri rémoulade'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Céleri-rave', 0.5, NULL, 'râpé finement'),
    ('Mayonnaise', 4, 'c. à soupe', ''),
    ('Moutarde de Dijon', 1, 'c. à soupe', ''),
    ('Citrons', 0.5, NULL, 'jus'),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Oeufs mimosa',
    'Des œufs durs garnis de leur jaune écrasé avec de la mayonnaise, à servir bien frais.',
    20, 10, 0, 4, 0, 0, 0, (SELECT code FROM livre WHERE name = 'Carnet de cuisine familiale'), '21', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Oeufs mimosa'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Oeufs', 6, NULL, ''),
    ('Mayonnaise', 3, 'c. à soupe', ''),
    ('Ciboulette', 0.5, 'botte', 'ciselée'),
    ('Paprika', 1, 'pincée', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Velouté de potiron',
    'Un velouté doux et onctueux pour les soirées d''automne, servi avec un trait de crème.',
    20, 30, 0, 4, 0, 0, 2, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Velouté de potiron'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Potiron', 0.75, 'kg', 'en cubes'),
    ('Pommes de terre', 2, NULL, ''),
    ('Oignons', 1, NULL, 'émincés'),
    ('Bouillon de volaille', 1, 'cube', ''),
    ('Eau', 75, 'cl', ''),
    ('Crème liquide', 10, 'cl', ''),
    ('Muscade', 1, 'pincée', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Soupe à l''oignon gratinée',
    'Des oignons longuement fondus au beurre, mouillés de bouillon puis gratinés au four sur des croûtons et du fromage râpé. Réconfortante les soirs d''hiver.',
    20, 45, 0, 4, 2, 0, 2, (SELECT code FROM livre WHERE name = 'Carnet de cuisine familiale'), '34', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Soupe à l''oignon gratinée'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Oignons', 6, NULL, 'émincés'),
    ('Beurre', 40, 'g', ''),
    ('Farine', 1, 'c. à soupe', ''),
    ('Bouillon de volaille', 1, 'cube', ''),
    ('Eau', 100, 'cl', ''),
    ('Vin blanc', 10, 'cl', ''),
    ('Baguette', 0.5, NULL, 'en tranches'),
    ('Gruyère râpé', 100, 'g', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Gaspacho andalou',
    'Une soupe froide de tomates, concombre et poivron mixés, à servir très fraîche avec quelques croûtons.',
    20, 0, 120, 4, 0, 0, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Gaspacho andalou'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Tomates', 1, 'kg', ''),
    ('Concombre', 0.5, NULL, ''),
    ('Poivrons rouges', 1, NULL, ''),
    ('Oignons', 0.5, NULL, ''),
    ('Ail', 1, 'gousse', ''),
    ('Pain de campagne', 1, 'tranche', 'rassis'),
    ('Huile d''olive', 4, 'c. à soupe', ''),
    ('Vinaigre de vin', 2, 'c. à soupe', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Taboulé à la menthe',
    'De la semoule fine gonflée au jus de citron, avec tomates, concombre et beaucoup d''herbes fraîches.',
    25, 0, 60, 6, 0, 0, 1, (SELECT code FROM livre WHERE name = 'Au fil des saisons'), '64', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Taboulé à la menthe'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Semoule', 250, 'g', 'fine'),
    ('Tomates', 3, NULL, 'en dés'),
    ('Concombre', 1, NULL, 'en dés'),
    ('Menthe fraîche', 1, 'botte', 'ciselée'),
    ('Persil plat', 1, 'botte', 'ciselé'),
    ('Citrons', 2, NULL, 'jus'),
    ('Huile d''olive', 6, 'c. à soupe', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Salade niçoise',
    'Une salade complète aux couleurs du Sud : thon, œufs durs, tomates, haricots verts, poivron et olives.',
    25, 10, 0, 4, 1, 0, 1, (SELECT code FROM livre WHERE name = 'Au fil des saisons'), '58', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Salade niçoise'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Salade verte', 1, NULL, ''),
    ('Tomates', 4, NULL, 'en quartiers'),
    ('Thon au naturel', 1, 'boîte', ''),
    ('Oeufs', 4, NULL, 'durs'),
    ('Haricots verts', 200, 'g', ''),
    ('Poivrons verts', 1, NULL, 'en lanières'),
    ('Olives noires', 80, 'g', ''),
    ('Huile d''olive', 4, 'c. à soupe', ''),
    ('Vinaigre de vin', 1, 'c. à soupe', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Tarte fine tomates et moutarde',
    'Une pâte feuilletée tartinée de moutarde et couverte de rondelles de tomates, dorée au four avec des herbes de Provence et un peu de fromage râpé.',
    15, 30, 0, 6, 0, 0, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Tarte fine tomates et moutarde'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Pâte feuilletée', 1, 'rouleau', ''),
    ('Tomates', 5, NULL, 'en rondelles'),
    ('Moutarde de Dijon', 3, 'c. à soupe', ''),
    ('Gruyère râpé', 60, 'g', ''),
    ('Herbes de Provence', 1, 'c. à café', ''),
    ('Huile d''olive', 2, 'c. à soupe', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Concombre à la crème et à la ciboulette',
    'De fines rondelles de concombre dans une sauce légère au fromage blanc et à la ciboulette.',
    15, 0, 30, 4, 0, 0, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Concombre à la crème et à la ciboulette'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Concombre', 2, NULL, 'en fines rondelles'),
    ('Fromage blanc', 200, 'g', ''),
    ('Citrons', 0.5, NULL, 'jus'),
    ('Ciboulette', 0.5, 'botte', 'ciselée'),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Betteraves en vinaigrette',
    'Des betteraves cuites coupées en dés, assaisonnées d''une vinaigrette à l''échalote.',
    10, 0, 0, 4, 0, 0, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Betteraves en vinaigrette'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Betteraves cuites', 500, 'g', 'en dés'),
    ('Échalotes', 1, NULL, 'hachées'),
    ('Huile de tournesol', 3, 'c. à soupe', ''),
    ('Vinaigre de vin', 1, 'c. à soupe', ''),
    ('Moutarde de Dijon', 1, 'c. à café', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Salade d''endives aux noix et au roquefort',
    'Endives croquantes, pomme, cerneaux de noix et dés de roquefort, avec une vinaigrette à la moutarde.',
    15, 0, 0, 4, 0, 0, 2, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Salade d''endives aux noix et au roquefort'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Endives', 4, NULL, 'émincées'),
    ('Roquefort', 100, 'g', 'en dés'),
    ('Noix', 50, 'g', ''),
    ('Pommes', 1, NULL, 'en dés'),
    ('Huile de tournesol', 3, 'c. à soupe', ''),
    ('Vinaigre de vin', 1, 'c. à soupe', ''),
    ('Moutarde de Dijon', 1, 'c. à café', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Avocats aux crevettes',
    'Des demi-avocats garnis de crevettes décortiquées et d''une sauce cocktail maison.',
    15, 0, 0, 4, 0, 0, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Avocats aux crevettes'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Avocats', 2, NULL, ''),
    ('Crevettes cuites', 200, 'g', 'décortiquées'),
    ('Mayonnaise', 3, 'c. à soupe', ''),
    ('Ketchup', 1, 'c. à soupe', ''),
    ('Citrons', 0.5, NULL, 'jus'),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Houmous et bâtonnets de légumes',
    'Une purée de pois chiches citronnée à l''ail et au cumin, servie avec des bâtonnets de carottes et de concombre.',
    15, 0, 0, 6, 0, 0, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Houmous et bâtonnets de légumes'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Pois chiches', 1, 'boîte', 'égouttés'),
    ('Tahini', 2, 'c. à soupe', ''),
    ('Citrons', 1, NULL, 'jus'),
    ('Ail', 1, 'gousse', ''),
    ('Cumin', 1, 'c. à café', ''),
    ('Huile d''olive', 4, 'c. à soupe', ''),
    ('Carottes', 3, NULL, 'en bâtonnets'),
    ('Concombre', 1, NULL, 'en bâtonnets'),
    ('Sel', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Velouté de champignons',
    'Champignons de Paris et échalotes mixés avec un peu de crème, pour un velouté léger et parfumé.',
    15, 25, 0, 4, 2, 0, 2, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Velouté de champignons'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Champignons de Paris', 500, 'g', ''),
    ('Échalotes', 2, NULL, ''),
    ('Beurre', 20, 'g', ''),
    ('Bouillon de volaille', 1, 'cube', ''),
    ('Eau', 75, 'cl', ''),
    ('Crème liquide', 10, 'cl', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Potage aux légumes',
    'Le potage du soir : poireaux, carottes, pommes de terre et navets mixés, servis avec une noisette de beurre.',
    20, 40, 0, 6, 2, 0, 0, (SELECT code FROM livre WHERE name = 'Carnet de cuisine familiale'), '27', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Potage aux légumes'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Poireaux', 2, NULL, ''),
    ('Carottes', 3, NULL, ''),
    ('Pommes de terre', 3, NULL, ''),
    ('Navets', 2, NULL, ''),
    ('Oignons', 1, NULL, ''),
    ('Bouillon de légumes', 1, 'cube', ''),
    ('Eau', 150, 'cl', ''),
    ('Beurre', 20, 'g', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Rillettes de thon',
    'Du thon émietté et du fromage frais relevés de citron et de ciboulette, à tartiner sur du pain grillé.',
    10, 0, 30, 4, 0, 0, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Rillettes de thon'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Thon au naturel', 1, 'boîte', 'égoutté'),
    ('Fromage frais', 150, 'g', ''),
    ('Citrons', 0.5, NULL, 'jus'),
    ('Ciboulette', 0.5, 'botte', 'ciselée'),
    ('Baguette', 1, NULL, ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Feuilletés jambon-fromage',
    'Des petits carrés de pâte feuilletée garnis de jambon et d''emmental, dorés au four.',
    15, 20, 0, 6, 0, 0, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Feuilletés jambon-fromage'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Pâte feuilletée', 2, 'rouleau', ''),
    ('Jambon blanc', 4, 'tranche', ''),
    ('Emmental', 100, 'g', 'râpé'),
    ('Oeufs', 1, NULL, 'pour dorer')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Salade de lentilles aux échalotes',
    'Des lentilles vertes tièdes en vinaigrette moutardée, avec échalotes, lardons et persil.',
    15, 25, 0, 4, 0, 0, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Salade de lentilles aux échalotes'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Lentilles vertes', 250, 'g', ''),
    ('Échalotes', 2, NULL, 'hachées'),
    ('Lardons', 100, 'g', ''),
    ('Persil plat', 0.5, 'botte', 'haché'),
    ('Huile de tournesol', 3, 'c. à soupe', ''),
    ('Vinaigre de vin', 2, 'c. à soupe', ''),
    ('Moutarde de Dijon', 1, 'c. à café', ''),
    ('Laurier', 1, 'feuille', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Cake aux olives et au jambon',
    'Un cake salé moelleux garni d''olives vertes et de dés de jambon, à servir tiède ou froid, coupé en tranches ou en petits cubes pour l''apéritif.',
    20, 45, 0, 8, 0, 0, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Cake aux olives et au jambon'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Farine', 200, 'g', ''),
    ('Oeufs', 3, NULL, ''),
    ('Levure chimique', 1, 'sachet', ''),
    ('Lait', 10, 'cl', ''),
    ('Huile de tournesol', 10, 'cl', ''),
    ('Jambon blanc', 150, 'g', 'en dés'),
    ('Olives vertes', 100, 'g', 'dénoyautées'),
    ('Gruyère râpé', 100, 'g', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Verrines de saumon fumé',
    'Des verrines fraîches et élégantes : fromage frais au citron, concombre en petits dés et lamelles de saumon fumé.',
    20, 0, 60, 6, 2, 0, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Verrines de saumon fumé'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Saumon fumé', 4, 'tranche', 'en lamelles'),
    ('Fromage frais', 200, 'g', ''),
    ('Concombre', 0.5, NULL, 'en petits dés'),
    ('Citrons', 0.5, NULL, 'jus'),
    ('Ciboulette', 0.5, 'botte', 'ciselée'),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Melon et jambon cru',
    'Des tranches de melon bien mûr accompagnées de fines tranches de jambon cru.',
    10, 0, 0, 4, 1, 0, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Melon et jambon cru'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Melon', 1, NULL, ''),
    ('Jambon cru', 8, 'tranche', ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Radis au beurre',
    'Des radis croquants servis avec du beurre doux, du pain frais et une pincée de sel : un petit plaisir de printemps.',
    5, 0, 0, 4, 0, 0, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Radis au beurre'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Radis', 1, 'botte', ''),
    ('Beurre', 60, 'g', ''),
    ('Baguette', 0.5, NULL, ''),
    ('Sel', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Salade de chèvre chaud',
    'Des toasts garnis de chèvre et d''un filet de miel, passés au four et servis sur une salade verte aux noix.',
    15, 10, 0, 4, 0, 0, 0, (SELECT code FROM livre WHERE name = 'Petits plats pour tous les soirs'), '9', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Salade de chèvre chaud'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Salade verte', 1, NULL, ''),
    ('Bûche de chèvre', 200, 'g', 'en rondelles'),
    ('Baguette', 0.5, NULL, 'en tranches'),
    ('Miel', 2, 'c. à soupe', ''),
    ('Noix', 40, 'g', ''),
    ('Huile d''olive', 3, 'c. à soupe', ''),
    ('Vinaigre balsamique', 1, 'c. à soupe', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Bruschetta tomates et basilic',
    'Des tranches de pain de campagne grillées, frottées à l''ail et couvertes de dés de tomates au basilic.',
    15, 5, 0, 4, 0, 0, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Bruschetta tomates et basilic'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Pain de campagne', 4, 'tranche', ''),
    ('Tomates', 4, NULL, 'en petits dés'),
    ('Ail', 1, 'gousse', ''),
    ('Basilic frais', 0.5, 'botte', 'ciselé'),
    ('Huile d''olive', 3, 'c. à soupe', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Soupe de lentilles corail au cumin',
    'Une soupe épaisse et parfumée aux lentilles corail, carotte et lait de coco, relevée de cumin.',
    10, 25, 0, 4, 0, 0, 2, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Soupe de lentilles corail au cumin'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Lentilles corail', 200, 'g', ''),
    ('Carottes', 2, NULL, ''),
    ('Oignons', 1, NULL, ''),
    ('Lait de coco', 20, 'cl', ''),
    ('Cumin', 1, 'c. à café', ''),
    ('Bouillon de légumes', 1, 'cube', ''),
    ('Eau', 100, 'cl', ''),
    ('Sel', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Salade de riz au thon',
    'Riz froid, thon, maïs, tomates et œufs durs : une salade complète pour les déjeuners d''été.',
    20, 12, 30, 4, 1, 0, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Salade de riz au thon'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Riz long', 200, 'g', ''),
    ('Thon au naturel', 1, 'boîte', ''),
    ('Maïs', 1, 'boîte', 'égoutté'),
    ('Tomates', 2, NULL, 'en dés'),
    ('Oeufs', 2, NULL, 'durs'),
    ('Olives noires', 50, 'g', ''),
    ('Huile de tournesol', 3, 'c. à soupe', ''),
    ('Vinaigre de vin', 1, 'c. à soupe', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Poireaux vinaigrette',
    'Des blancs de poireaux cuits à l''eau, servis tièdes avec une vinaigrette à la moutarde et un œuf dur émietté.',
    10, 20, 0, 4, 0, 0, 0, (SELECT code FROM livre WHERE name = 'Carnet de cuisine familiale'), NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Poireaux vinaigrette'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Poireaux', 6, NULL, 'blancs'),
    ('Oeufs', 1, NULL, 'durs'),
    ('Huile de tournesol', 3, 'c. à soupe', ''),
    ('Vinaigre de vin', 1, 'c. à soupe', ''),
    ('Moutarde de Dijon', 1, 'c. à café', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Asperges vertes à l''orange',
    'Des asperges vertes cuites al dente, nappées d''une vinaigrette à l''orange.',
    15, 10, 0, 4, 0, 0, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Asperges vertes à l''orange'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Asperges vertes', 1, 'botte', ''),
    ('Oranges', 1, NULL, 'jus et zeste'),
    ('Huile d''olive', 3, 'c. à soupe', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Champignons à la grecque',
    'Des champignons de Paris mijotés avec tomate, vin blanc, citron et coriandre, servis froids.',
    15, 15, 60, 4, 0, 0, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Champignons à la grecque'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Champignons de Paris', 500, 'g', ''),
    ('Concentré de tomates', 2, 'c. à soupe', ''),
    ('Citrons', 1, NULL, 'jus'),
    ('Vin blanc', 10, 'cl', ''),
    ('Coriandre fraîche', 0.5, 'botte', 'ciselée'),
    ('Huile d''olive', 3, 'c. à soupe', ''),
    ('Thym', 1, 'pincée', ''),
    ('Laurier', 1, 'feuille', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Tzatziki',
    'Yaourt, concombre râpé, ail et menthe : une sauce froide à déguster avec du pain grillé.',
    15, 0, 30, 4, 2, 0, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Tzatziki'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Yaourts nature', 4, NULL, ''),
    ('Concombre', 1, NULL, 'râpé et égoutté'),
    ('Ail', 1, 'gousse', 'pressée'),
    ('Menthe fraîche', 0.25, 'botte', 'ciselée'),
    ('Huile d''olive', 1, 'c. à soupe', ''),
    ('Pain de campagne', 4, 'tranche', ''),
    ('Sel', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Oeufs cocotte à la crème',
    'Des œufs cuits au four en ramequins sur un lit de crème et de jambon, à tremper avec des mouillettes.',
    5, 10, 0, 4, 2, 0, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Oeufs cocotte à la crème'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Oeufs', 4, NULL, ''),
    ('Crème fraîche épaisse', 4, 'c. à soupe', ''),
    ('Jambon blanc', 1, 'tranche', 'en dés'),
    ('Ciboulette', 0.25, 'botte', 'ciselée'),
    ('Baguette', 0.5, NULL, ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Salade de fenouil à l''orange',
    'Du fenouil émincé très finement, des suprêmes d''orange et quelques olives noires, le tout arrosé d''huile d''olive.',
    15, 0, 0, 4, 0, 0, 2, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Salade de fenouil à l''orange'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Fenouil', 2, NULL, 'émincé finement'),
    ('Oranges', 2, NULL, 'en suprêmes'),
    ('Olives noires', 40, 'g', ''),
    ('Huile d''olive', 3, 'c. à soupe', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

-- ======================================================================
-- Plats
-- ======================================================================

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Boeuf bourguignon',
    'Du bœuf mijoté longuement dans le vin rouge avec lardons, champignons et carottes. Encore meilleur réchauffé le lendemain.',
    30, 180, 0, 6, 0, 1, 2, (SELECT code FROM livre WHERE name = 'Carnet de cuisine familiale'), '112', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Boeuf bourguignon'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Boeuf à braiser', 1.2, 'kg', 'en cubes'),
    ('Vin rouge', 75, 'cl', ''),
    ('Lardons', 150, 'g', ''),
    ('Champignons de Paris', 250, 'g', ''),
    ('Oignons', 2, NULL, ''),
    ('Carottes', 3, NULL, 'en rondelles'),
    ('Ail', 2, 'gousse', ''),
    ('Farine', 2, 'c. à soupe', ''),
    ('Bouquet garni', 1, NULL, ''),
    ('Beurre', 30, 'g', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Blanquette de veau',
    'Du veau cuit doucement dans un bouillon aromatique, servi avec une sauce crémeuse aux champignons et du riz.',
    30, 120, 0, 6, 0, 1, 2, (SELECT code FROM livre WHERE name = 'Carnet de cuisine familiale'), '118', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Blanquette de veau'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Épaule de veau', 1.2, 'kg', 'en morceaux'),
    ('Carottes', 3, NULL, ''),
    ('Oignons', 1, NULL, ''),
    ('Champignons de Paris', 250, 'g', ''),
    ('Bouquet garni', 1, NULL, ''),
    ('Crème fraîche épaisse', 20, 'cl', ''),
    ('Oeufs', 1, NULL, 'jaunes'),
    ('Beurre', 40, 'g', ''),
    ('Farine', 40, 'g', ''),
    ('Citrons', 0.5, NULL, 'jus'),
    ('Riz long', 300, 'g', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Poulet rôti aux herbes',
    'Un poulet entier rôti au four avec thym, ail en chemise et pommes de terre fondantes : le plat du dimanche par excellence.',
    15, 75, 0, 6, 1, 1, 0, (SELECT code FROM livre WHERE name = 'Carnet de cuisine familiale'), '96', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Poulet rôti aux herbes'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Poulet entier', 1, NULL, ''),
    ('Pommes de terre', 1, 'kg', ''),
    ('Ail', 6, 'gousse', 'en chemise'),
    ('Thym', 1, 'c. à café', ''),
    ('Beurre', 30, 'g', ''),
    ('Huile d''olive', 2, 'c. à soupe', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Hachis parmentier',
    'De la viande hachée revenue avec des oignons, recouverte d''une purée maison et gratinée au four.',
    30, 30, 0, 6, 0, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Hachis parmentier'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Boeuf haché', 600, 'g', ''),
    ('Pommes de terre', 1.2, 'kg', ''),
    ('Oignons', 2, NULL, ''),
    ('Lait', 20, 'cl', ''),
    ('Beurre', 50, 'g', ''),
    ('Gruyère râpé', 80, 'g', ''),
    ('Muscade', 1, 'pincée', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Lasagnes à la bolognaise',
    'Des couches de pâtes, de sauce bolognaise et de béchamel, gratinées au parmesan. Préparez la sauce la veille pour gagner du temps.',
    40, 45, 10, 6, 0, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Lasagnes à la bolognaise'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Feuilles de lasagne', 250, 'g', ''),
    ('Boeuf haché', 500, 'g', ''),
    ('Tomates concassées', 2, 'boîte', ''),
    ('Oignons', 1, NULL, ''),
    ('Carottes', 1, NULL, 'en petits dés'),
    ('Ail', 2, 'gousse', ''),
    ('Lait', 50, 'cl', ''),
    ('Beurre', 50, 'g', ''),
    ('Farine', 50, 'g', ''),
    ('Parmesan', 80, 'g', 'râpé'),
    ('Huile d''olive', 2, 'c. à soupe', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Spaghetti à la carbonara',
    'Des spaghetti enrobés d''une sauce aux jaunes d''œufs, au parmesan et aux lardons, sans crème.',
    10, 12, 0, 4, 0, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Spaghetti à la carbonara'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Spaghetti', 400, 'g', ''),
    ('Lardons', 200, 'g', ''),
    ('Oeufs', 4, NULL, 'jaunes'),
    ('Parmesan', 80, 'g', 'râpé'),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Gratin de courgettes au chèvre',
    'Des rondelles de courgettes et de chèvre nappées d''un appareil aux œufs et à la crème, gratinées au four.',
    20, 35, 0, 4, 0, 1, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Gratin de courgettes au chèvre'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Courgettes', 4, NULL, 'en rondelles'),
    ('Bûche de chèvre', 150, 'g', ''),
    ('Oeufs', 3, NULL, ''),
    ('Crème liquide', 20, 'cl', ''),
    ('Gruyère râpé', 50, 'g', ''),
    ('Herbes de Provence', 1, 'c. à café', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Ratatouille',
    'Aubergines, courgettes, poivrons et tomates mijotés à l''huile d''olive avec ail et herbes, à servir chaude ou froide.',
    30, 60, 0, 6, 0, 1, 1, (SELECT code FROM livre WHERE name = 'Au fil des saisons'), '88', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Ratatouille'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Aubergines', 2, NULL, ''),
    ('Courgettes', 3, NULL, ''),
    ('Poivrons rouges', 1, NULL, ''),
    ('Poivrons verts', 1, NULL, ''),
    ('Tomates', 5, NULL, ''),
    ('Oignons', 2, NULL, ''),
    ('Ail', 3, 'gousse', ''),
    ('Huile d''olive', 6, 'c. à soupe', ''),
    ('Herbes de Provence', 1, 'c. à café', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Quiche lorraine',
    'La vraie quiche aux lardons, avec une garniture d''œufs, de lait et de crème sur une pâte brisée.',
    20, 35, 0, 6, 0, 1, 0, (SELECT code FROM livre WHERE name = 'Carnet de cuisine familiale'), '52', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Quiche lorraine'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Pâte brisée', 1, 'rouleau', ''),
    ('Lardons', 200, 'g', ''),
    ('Oeufs', 3, NULL, ''),
    ('Crème fraîche épaisse', 20, 'cl', ''),
    ('Lait', 20, 'cl', ''),
    ('Muscade', 1, 'pincée', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Pot-au-feu',
    'Plusieurs morceaux de bœuf cuits longuement avec poireaux, carottes et navets ; le bouillon se sert à part, bien chaud, et les restes font un excellent hachis.',
    30, 210, 0, 8, 1, 1, 2, (SELECT code FROM livre WHERE name = 'Carnet de cuisine familiale'), '124', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Pot-au-feu'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Boeuf à braiser', 1.5, 'kg', 'en gros morceaux'),
    ('Poireaux', 4, NULL, ''),
    ('Carottes', 6, NULL, ''),
    ('Navets', 4, NULL, ''),
    ('Pommes de terre', 8, NULL, ''),
    ('Oignons', 2, NULL, ''),
    ('Bouquet garni', 1, NULL, ''),
    ('Gros sel', 1, 'c. à soupe', ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Tartiflette',
    'Des pommes de terre, des lardons et des oignons gratinés sous un reblochon fondant. Un plat généreux pour les soirs de grand froid.',
    25, 40, 0, 6, 2, 1, 2, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Tartiflette'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Pommes de terre', 1.5, 'kg', ''),
    ('Reblochon', 1, NULL, ''),
    ('Lardons', 200, 'g', ''),
    ('Oignons', 2, NULL, ''),
    ('Crème fraîche épaisse', 20, 'cl', ''),
    ('Vin blanc', 10, 'cl', ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Croque-monsieur',
    'Pain de mie, jambon et emmental dorés à la poêle ou au four, servis avec une salade verte.',
    10, 10, 0, 4, 2, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Croque-monsieur'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Pain de mie', 8, 'tranche', ''),
    ('Jambon blanc', 4, 'tranche', ''),
    ('Emmental', 150, 'g', 'râpé'),
    ('Beurre', 40, 'g', ''),
    ('Salade verte', 1, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Omelette aux champignons',
    'Une omelette baveuse garnie de champignons poêlés au beurre et de persil.',
    10, 10, 0, 2, 2, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Omelette aux champignons'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Oeufs', 5, NULL, ''),
    ('Champignons de Paris', 200, 'g', 'émincés'),
    ('Beurre', 20, 'g', ''),
    ('Persil plat', 0.25, 'botte', 'haché'),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Pavés de saumon en papillote',
    'Du saumon cuit en papillote avec citron et julienne de légumes, servi avec du riz.',
    15, 20, 0, 4, 0, 1, 0, (SELECT code FROM livre WHERE name = 'Petits plats pour tous les soirs'), '31', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Pavés de saumon en papillote'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Pavés de saumon', 4, NULL, ''),
    ('Citrons', 1, NULL, 'en rondelles'),
    ('Courgettes', 1, NULL, 'en julienne'),
    ('Carottes', 2, NULL, 'en julienne'),
    ('Huile d''olive', 2, 'c. à soupe', ''),
    ('Riz long', 250, 'g', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Cabillaud à la provençale',
    'Des filets de cabillaud cuits sur un lit de tomates, d''olives et d''herbes de Provence.',
    20, 25, 0, 4, 0, 1, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Cabillaud à la provençale'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Filets de cabillaud', 600, 'g', ''),
    ('Tomates', 4, NULL, ''),
    ('Olives noires', 60, 'g', ''),
    ('Oignons', 1, NULL, ''),
    ('Ail', 2, 'gousse', ''),
    ('Huile d''olive', 3, 'c. à soupe', ''),
    ('Herbes de Provence', 1, 'c. à café', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Moules marinières',
    'Des moules ouvertes au vin blanc avec échalotes et persil, à servir avec des frites ou du pain.',
    15, 10, 0, 4, 0, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Moules marinières'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Moules', 2, 'kg', ''),
    ('Échalotes', 3, NULL, 'hachées'),
    ('Vin blanc', 20, 'cl', ''),
    ('Beurre', 30, 'g', ''),
    ('Persil plat', 0.5, 'botte', 'haché'),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Risotto aux champignons',
    'Un riz crémeux cuit au bouillon avec champignons poêlés, vin blanc et parmesan.',
    15, 25, 0, 4, 0, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Risotto aux champignons'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Riz à risotto', 300, 'g', ''),
    ('Champignons de Paris', 300, 'g', ''),
    ('Échalotes', 2, NULL, ''),
    ('Vin blanc', 10, 'cl', ''),
    ('Bouillon de volaille', 1, 'cube', ''),
    ('Eau', 100, 'cl', ''),
    ('Parmesan', 60, 'g', 'râpé'),
    ('Beurre', 30, 'g', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Curry de poulet au lait de coco',
    'Des morceaux de poulet mijotés dans une sauce au curry, à la tomate et au lait de coco, servis avec du riz.',
    20, 30, 0, 4, 0, 1, 0, (SELECT code FROM livre WHERE name = 'Petits plats pour tous les soirs'), '46', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Curry de poulet au lait de coco'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Blancs de poulet', 600, 'g', 'en morceaux'),
    ('Lait de coco', 40, 'cl', ''),
    ('Oignons', 1, NULL, ''),
    ('Curry', 2, 'c. à café', ''),
    ('Gingembre frais', 20, 'g', 'râpé'),
    ('Tomates concassées', 1, 'boîte', ''),
    ('Riz long', 300, 'g', ''),
    ('Coriandre fraîche', 0.5, 'botte', ''),
    ('Huile de tournesol', 2, 'c. à soupe', ''),
    ('Sel', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Chili con carne',
    'Du bœuf haché, des haricots rouges et des tomates relevés de cumin et de piment : un plat convivial et bien épicé.',
    20, 60, 0, 6, 0, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Chili con carne'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Boeuf haché', 600, 'g', ''),
    ('Haricots rouges', 2, 'boîte', 'égouttés'),
    ('Tomates concassées', 2, 'boîte', ''),
    ('Oignons', 2, NULL, ''),
    ('Poivrons rouges', 1, NULL, ''),
    ('Ail', 2, 'gousse', ''),
    ('Cumin', 2, 'c. à café', ''),
    ('Piment d''Espelette', 1, 'c. à café', ''),
    ('Riz long', 300, 'g', ''),
    ('Sel', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Couscous au poulet et aux légumes',
    'Poulet, carottes, courgettes, navets et pois chiches cuits dans un bouillon épicé, servis avec de la semoule bien gonflée.',
    30, 60, 0, 6, 0, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Couscous au poulet et aux légumes'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Cuisses de poulet', 6, NULL, ''),
    ('Semoule', 500, 'g', ''),
    ('Carottes', 4, NULL, ''),
    ('Courgettes', 3, NULL, ''),
    ('Navets', 2, NULL, ''),
    ('Pois chiches', 1, 'boîte', ''),
    ('Oignons', 2, NULL, ''),
    ('Tomates concassées', 1, 'boîte', ''),
    ('Ras el hanout', 2, 'c. à soupe', ''),
    ('Huile d''olive', 3, 'c. à soupe', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Poulet basquaise',
    'Du poulet doré puis mijoté avec poivrons, tomates et piment d''Espelette.',
    20, 45, 0, 4, 0, 1, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Poulet basquaise'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Cuisses de poulet', 4, NULL, ''),
    ('Poivrons rouges', 2, NULL, ''),
    ('Poivrons verts', 1, NULL, ''),
    ('Tomates', 4, NULL, ''),
    ('Oignons', 2, NULL, ''),
    ('Ail', 2, 'gousse', ''),
    ('Piment d''Espelette', 1, 'c. à café', ''),
    ('Huile d''olive', 3, 'c. à soupe', ''),
    ('Vin blanc', 10, 'cl', ''),
    ('Sel', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Rôti de porc à la moutarde',
    'Un rôti de porc badigeonné de moutarde, cuit au four avec des oignons et des pommes de terre, et servi avec son jus.',
    15, 75, 10, 6, 1, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Rôti de porc à la moutarde'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Rôti de porc', 1.2, 'kg', ''),
    ('Moutarde de Dijon', 3, 'c. à soupe', ''),
    ('Oignons', 3, NULL, ''),
    ('Vin blanc', 15, 'cl', ''),
    ('Thym', 1, 'c. à café', ''),
    ('Pommes de terre', 1, 'kg', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Saucisses aux lentilles',
    'Des saucisses cuites avec des lentilles vertes, des carottes et des lardons, un plat rustique et réconfortant.',
    15, 45, 0, 4, 0, 1, 2, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Saucisses aux lentilles'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Saucisses de Toulouse', 4, NULL, ''),
    ('Lentilles vertes', 300, 'g', ''),
    ('Carottes', 2, NULL, 'en rondelles'),
    ('Oignons', 1, NULL, ''),
    ('Lardons', 100, 'g', ''),
    ('Bouquet garni', 1, NULL, ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Escalopes de dinde à la crème',
    'Des escalopes dorées à la poêle, nappées d''une sauce à la crème et aux champignons, servies avec des tagliatelles.',
    10, 20, 0, 4, 0, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Escalopes de dinde à la crème'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Escalopes de dinde', 4, NULL, ''),
    ('Champignons de Paris', 250, 'g', 'émincés'),
    ('Crème liquide', 20, 'cl', ''),
    ('Échalotes', 1, NULL, ''),
    ('Beurre', 20, 'g', ''),
    ('Tagliatelles', 300, 'g', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Gratin de pâtes au jambon',
    'Des pâtes et des dés de jambon gratinés sous une béchamel légère et du gruyère : le plat préféré des enfants.',
    15, 25, 0, 4, 2, 1, 0, (SELECT code FROM livre WHERE name = 'Petits plats pour tous les soirs'), '12', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Gratin de pâtes au jambon'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Penne', 300, 'g', ''),
    ('Jambon blanc', 4, 'tranche', 'en dés'),
    ('Lait', 50, 'cl', ''),
    ('Beurre', 30, 'g', ''),
    ('Farine', 30, 'g', ''),
    ('Gruyère râpé', 100, 'g', ''),
    ('Muscade', 1, 'pincée', ''),
    ('Sel', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Tagliatelles au saumon',
    'Des tagliatelles dans une sauce à la crème, au saumon fumé et au zeste de citron.',
    10, 15, 0, 4, 0, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Tagliatelles au saumon'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Tagliatelles', 400, 'g', ''),
    ('Saumon fumé', 4, 'tranche', 'en lanières'),
    ('Crème liquide', 25, 'cl', ''),
    ('Citrons', 0.5, NULL, 'zeste'),
    ('Ciboulette', 0.5, 'botte', 'ciselée'),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Salade César au poulet',
    'Salade, poulet grillé, croûtons et copeaux de parmesan avec une sauce crémeuse à l''ail.',
    20, 15, 0, 4, 2, 1, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Salade César au poulet'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Salade verte', 1, NULL, ''),
    ('Blancs de poulet', 400, 'g', ''),
    ('Pain de mie', 3, 'tranche', 'en croûtons'),
    ('Parmesan', 50, 'g', 'en copeaux'),
    ('Mayonnaise', 3, 'c. à soupe', ''),
    ('Ail', 1, 'gousse', ''),
    ('Citrons', 0.5, NULL, 'jus'),
    ('Huile d''olive', 2, 'c. à soupe', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Steak haché et haricots verts persillés',
    'Un repas simple et rapide : des steaks hachés poêlés et des haricots verts sautés au beurre, à l''ail et au persil.',
    10, 15, 0, 4, 0, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Steak haché et haricots verts persillés'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Boeuf haché', 500, 'g', 'en 4 steaks'),
    ('Haricots verts', 600, 'g', ''),
    ('Beurre', 30, 'g', ''),
    ('Ail', 1, 'gousse', ''),
    ('Persil plat', 0.5, 'botte', 'haché'),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Endives au jambon',
    'Des endives braisées roulées dans du jambon, nappées de béchamel et gratinées au four.',
    20, 40, 0, 4, 0, 1, 2, (SELECT code FROM livre WHERE name = 'Carnet de cuisine familiale'), '75', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Endives au jambon'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Endives', 8, NULL, ''),
    ('Jambon blanc', 8, 'tranche', ''),
    ('Lait', 50, 'cl', ''),
    ('Beurre', 40, 'g', ''),
    ('Farine', 40, 'g', ''),
    ('Gruyère râpé', 80, 'g', ''),
    ('Muscade', 1, 'pincée', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Pizza jambon-champignons',
    'Une pizza garnie de sauce tomate, de jambon, de champignons et de mozzarella, cuite à four très chaud.',
    20, 15, 0, 4, 2, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Pizza jambon-champignons'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Pâte à pizza', 1, 'rouleau', ''),
    ('Coulis de tomates', 20, 'cl', ''),
    ('Jambon blanc', 3, 'tranche', ''),
    ('Champignons de Paris', 150, 'g', 'émincés'),
    ('Mozzarella', 250, 'g', ''),
    ('Olives noires', 40, 'g', ''),
    ('Herbes de Provence', 1, 'c. à café', ''),
    ('Huile d''olive', 1, 'c. à soupe', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Magret de canard aux pommes',
    'Des magrets saisis côté peau, servis rosés avec des quartiers de pommes caramélisés au miel.',
    15, 25, 0, 4, 0, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Magret de canard aux pommes'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Magrets de canard', 2, NULL, ''),
    ('Pommes', 4, NULL, 'en quartiers'),
    ('Miel', 2, 'c. à soupe', ''),
    ('Vinaigre balsamique', 1, 'c. à soupe', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Porc au caramel',
    'Des morceaux d''échine de porc mijotés dans un caramel à la sauce soja, servis avec du riz.',
    15, 40, 0, 4, 0, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Porc au caramel'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Échine de porc', 800, 'g', 'en cubes'),
    ('Sucre en poudre', 80, 'g', ''),
    ('Sauce soja', 4, 'c. à soupe', ''),
    ('Oignons', 2, NULL, ''),
    ('Ail', 2, 'gousse', ''),
    ('Gingembre frais', 15, 'g', 'râpé'),
    ('Riz long', 300, 'g', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Tajine d''agneau aux abricots',
    'Une épaule d''agneau mijotée avec abricots secs, oignons, miel et épices douces, servie avec de la semoule et des amandes grillées.',
    30, 100, 0, 6, 0, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Tajine d''agneau aux abricots'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Épaule d''agneau', 1.2, 'kg', 'en morceaux'),
    ('Abricots secs', 200, 'g', ''),
    ('Oignons', 3, NULL, ''),
    ('Miel', 2, 'c. à soupe', ''),
    ('Cannelle', 1, 'c. à café', ''),
    ('Ras el hanout', 1, 'c. à soupe', ''),
    ('Amandes effilées', 50, 'g', ''),
    ('Semoule', 400, 'g', ''),
    ('Huile d''olive', 3, 'c. à soupe', ''),
    ('Sel', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Galettes complètes',
    'Des galettes de sarrasin garnies d''un œuf, de jambon et d''emmental râpé, comme en Bretagne.',
    15, 20, 60, 4, 2, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Galettes complètes'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Farine de sarrasin', 250, 'g', ''),
    ('Oeufs', 5, NULL, ''),
    ('Eau', 50, 'cl', ''),
    ('Jambon blanc', 4, 'tranche', ''),
    ('Emmental', 150, 'g', 'râpé'),
    ('Beurre demi-sel', 40, 'g', ''),
    ('Sel', 1, 'pincée', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Gratin de chou-fleur',
    'Des bouquets de chou-fleur précuits puis gratinés sous une béchamel au gruyère.',
    15, 35, 0, 4, 2, 1, 2, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Gratin de chou-fleur'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Chou-fleur', 1, NULL, ''),
    ('Lait', 50, 'cl', ''),
    ('Beurre', 40, 'g', ''),
    ('Farine', 40, 'g', ''),
    ('Gruyère râpé', 100, 'g', ''),
    ('Muscade', 1, 'pincée', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Dahl de lentilles corail',
    'Des lentilles corail fondantes au lait de coco, à la tomate et aux épices : un plat végétarien complet, servi avec du riz.',
    15, 30, 0, 4, 0, 1, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Dahl de lentilles corail'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Lentilles corail', 300, 'g', ''),
    ('Lait de coco', 40, 'cl', ''),
    ('Tomates concassées', 1, 'boîte', ''),
    ('Oignons', 1, NULL, ''),
    ('Ail', 2, 'gousse', ''),
    ('Gingembre frais', 20, 'g', 'râpé'),
    ('Curry', 2, 'c. à café', ''),
    ('Riz long', 250, 'g', ''),
    ('Coriandre fraîche', 0.5, 'botte', ''),
    ('Sel', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Tomates farcies',
    'De grosses tomates garnies de chair à saucisse aux herbes et cuites au four avec du riz qui s''imprègne de leur jus.',
    30, 50, 0, 6, 0, 1, 1, (SELECT code FROM livre WHERE name = 'Au fil des saisons'), '102', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Tomates farcies'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Tomates', 6, NULL, 'grosses'),
    ('Chair à saucisse', 500, 'g', ''),
    ('Oignons', 1, NULL, ''),
    ('Ail', 1, 'gousse', ''),
    ('Persil plat', 0.5, 'botte', 'haché'),
    ('Riz long', 150, 'g', ''),
    ('Huile d''olive', 2, 'c. à soupe', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Penne au pesto',
    'Un pesto maison au basilic, au parmesan et aux pignons, mixé au dernier moment et mélangé aux pâtes chaudes.',
    10, 12, 0, 4, 0, 1, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Penne au pesto'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Penne', 400, 'g', ''),
    ('Basilic frais', 1, 'botte', ''),
    ('Parmesan', 50, 'g', 'râpé'),
    ('Pignons de pin', 40, 'g', ''),
    ('Ail', 1, 'gousse', ''),
    ('Huile d''olive', 10, 'cl', ''),
    ('Sel', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Brochettes de poulet marinées',
    'Des dés de poulet marinés au citron, à l''ail et au paprika, grillés au barbecue ou à la plancha avec des morceaux de poivron et d''oignon.',
    20, 15, 120, 4, 2, 1, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Brochettes de poulet marinées'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Blancs de poulet', 600, 'g', 'en dés'),
    ('Citrons', 1, NULL, 'jus'),
    ('Ail', 2, 'gousse', ''),
    ('Paprika', 1, 'c. à café', ''),
    ('Huile d''olive', 4, 'c. à soupe', ''),
    ('Poivrons rouges', 1, NULL, 'en morceaux'),
    ('Oignons', 1, NULL, 'en quartiers'),
    ('Sel', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Navarin d''agneau printanier',
    'De l''agneau mijoté avec les premiers légumes du printemps : carottes nouvelles, navets, petits pois et pommes de terre.',
    30, 90, 0, 6, 1, 1, 1, (SELECT code FROM livre WHERE name = 'Au fil des saisons'), '41', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Navarin d''agneau printanier'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Épaule d''agneau', 1.2, 'kg', 'en morceaux'),
    ('Carottes', 6, NULL, ''),
    ('Navets', 4, NULL, ''),
    ('Petits pois', 300, 'g', ''),
    ('Pommes de terre', 0.6, 'kg', ''),
    ('Oignons', 2, NULL, ''),
    ('Concentré de tomates', 1, 'c. à soupe', ''),
    ('Bouquet garni', 1, NULL, ''),
    ('Farine', 1, 'c. à soupe', ''),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Chou-fleur rôti au cumin',
    'Des bouquets de chou-fleur rôtis à l''huile d''olive et au cumin, servis avec des copeaux de parmesan.',
    15, 30, 0, 4, 0, 1, 2, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Chou-fleur rôti au cumin'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Chou-fleur', 1, NULL, ''),
    ('Huile d''olive', 4, 'c. à soupe', ''),
    ('Cumin', 1, 'c. à café', ''),
    ('Parmesan', 40, 'g', 'en copeaux'),
    ('Sel', 0, NULL, ''),
    ('Poivre', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

-- ======================================================================
-- Desserts
-- ======================================================================

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Mousse au chocolat',
    'Une mousse aérienne au chocolat noir, à préparer la veille ou le matin pour le soir.',
    20, 0, 180, 6, 0, 2, 0, (SELECT code FROM livre WHERE name = 'Douceurs du dimanche'), '14', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Mousse au chocolat'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Chocolat noir pâtissier', 200, 'g', ''),
    ('Oeufs', 6, NULL, ''),
    ('Sucre en poudre', 30, 'g', ''),
    ('Sel', 1, 'pincée', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Crème brûlée',
    'Une crème onctueuse à la vanille, couverte d''une fine couche de sucre caramélisée au dernier moment.',
    15, 50, 120, 6, 0, 2, 0, (SELECT code FROM livre WHERE name = 'Douceurs du dimanche'), '22', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Crème brûlée'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Crème liquide', 50, 'cl', ''),
    ('Lait', 10, 'cl', ''),
    ('Oeufs', 6, NULL, 'jaunes'),
    ('Sucre en poudre', 80, 'g', ''),
    ('Vanille', 1, 'gousse', ''),
    ('Cassonade', 4, 'c. à soupe', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Tarte aux pommes',
    'Une pâte brisée garnie de fines lamelles de pommes, nappées de confiture d''abricots à la sortie du four.',
    25, 40, 0, 8, 0, 2, 0, (SELECT code FROM livre WHERE name = 'Douceurs du dimanche'), '40', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Tarte aux pommes'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Pâte brisée', 1, 'rouleau', ''),
    ('Pommes', 6, NULL, ''),
    ('Sucre en poudre', 50, 'g', ''),
    ('Beurre', 30, 'g', ''),
    ('Confiture d''abricots', 3, 'c. à soupe', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Clafoutis aux cerises',
    'Des cerises entières noyées dans une pâte moelleuse au lait et aux œufs, à servir tiède.',
    15, 40, 0, 6, 0, 2, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Clafoutis aux cerises'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Cerises', 500, 'g', ''),
    ('Oeufs', 4, NULL, ''),
    ('Farine', 100, 'g', ''),
    ('Sucre en poudre', 100, 'g', ''),
    ('Lait', 40, 'cl', ''),
    ('Beurre', 20, 'g', ''),
    ('Sucre vanillé', 1, 'sachet', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Fondant au chocolat',
    'Un gâteau au cœur moelleux, riche en chocolat et en beurre, qui se prépare en un tour de main.',
    15, 25, 0, 8, 0, 2, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Fondant au chocolat'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Chocolat noir pâtissier', 200, 'g', ''),
    ('Beurre', 150, 'g', ''),
    ('Sucre en poudre', 150, 'g', ''),
    ('Oeufs', 4, NULL, ''),
    ('Farine', 50, 'g', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Tiramisu',
    'Des biscuits imbibés de café, une crème au mascarpone et du cacao : le dessert italien à préparer la veille pour qu''il prenne bien au réfrigérateur.',
    25, 0, 360, 6, 0, 2, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Tiramisu'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Mascarpone', 250, 'g', ''),
    ('Oeufs', 3, NULL, ''),
    ('Sucre en poudre', 80, 'g', ''),
    ('Biscuits à la cuillère', 24, NULL, ''),
    ('Café', 25, 'cl', 'fort et refroidi'),
    ('Cacao en poudre', 2, 'c. à soupe', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Crêpes',
    'Une pâte à crêpes légère, à garnir de sucre, de confiture ou de chocolat selon les envies.',
    10, 30, 60, 6, 0, 2, 0, (SELECT code FROM livre WHERE name = 'Douceurs du dimanche'), '8', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Crêpes'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Farine', 250, 'g', ''),
    ('Oeufs', 4, NULL, ''),
    ('Lait', 50, 'cl', ''),
    ('Beurre', 50, 'g', 'fondu'),
    ('Sucre en poudre', 2, 'c. à soupe', ''),
    ('Sel', 1, 'pincée', ''),
    ('Rhum', 1, 'c. à soupe', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Salade de fruits frais',
    'Un mélange de fruits de saison coupés en morceaux, arrosés d''un sirop léger au citron et à la menthe.',
    20, 0, 60, 6, 0, 2, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Salade de fruits frais'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Fraises', 250, 'g', ''),
    ('Pêches', 3, NULL, ''),
    ('Melon', 0.5, NULL, ''),
    ('Oranges', 2, NULL, ''),
    ('Sucre en poudre', 40, 'g', ''),
    ('Menthe fraîche', 0.25, 'botte', ''),
    ('Citrons', 0.5, NULL, 'jus')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Riz au lait',
    'Du riz cuit doucement dans le lait vanillé jusqu''à devenir crémeux, à servir froid ou tiède.',
    10, 40, 120, 6, 0, 2, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Riz au lait'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Riz rond', 150, 'g', ''),
    ('Lait', 100, 'cl', ''),
    ('Sucre en poudre', 100, 'g', ''),
    ('Vanille', 1, 'gousse', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Île flottante',
    'Des blancs en neige pochés, posés sur une crème anglaise et nappés d''un filet de caramel.',
    25, 15, 60, 6, 0, 2, 0, (SELECT code FROM livre WHERE name = 'Douceurs du dimanche'), '27', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Île flottante'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Oeufs', 6, NULL, ''),
    ('Lait', 75, 'cl', ''),
    ('Sucre en poudre', 150, 'g', ''),
    ('Vanille', 1, 'gousse', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Crumble pommes-poires',
    'Des pommes et des poires fondantes sous une pâte sablée croustillante au beurre et à la cassonade.',
    20, 35, 0, 6, 0, 2, 2, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Crumble pommes-poires'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Pommes', 4, NULL, ''),
    ('Poires', 3, NULL, ''),
    ('Farine', 150, 'g', ''),
    ('Beurre', 100, 'g', 'froid'),
    ('Cassonade', 100, 'g', ''),
    ('Cannelle', 1, 'c. à café', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Tarte au citron meringuée',
    'Une pâte sablée, une crème au citron bien acidulée et une meringue dorée : un classique de la pâtisserie à la portée de tous.',
    40, 30, 120, 8, 0, 2, 0, (SELECT code FROM livre WHERE name = 'Douceurs du dimanche'), '52', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Tarte au citron meringuée'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Pâte sablée', 1, 'rouleau', ''),
    ('Citrons', 4, NULL, 'jus et zeste'),
    ('Oeufs', 4, NULL, ''),
    ('Sucre en poudre', 200, 'g', ''),
    ('Beurre', 80, 'g', ''),
    ('Maïzena', 1, 'c. à soupe', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Far breton aux pruneaux',
    'Un flan épais et dense aux pruneaux, cuit au four, spécialité bretonne.',
    15, 50, 60, 8, 0, 2, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Far breton aux pruneaux'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Pruneaux', 250, 'g', ''),
    ('Farine', 200, 'g', ''),
    ('Sucre en poudre', 150, 'g', ''),
    ('Oeufs', 4, NULL, ''),
    ('Lait', 75, 'cl', ''),
    ('Beurre demi-sel', 30, 'g', ''),
    ('Rhum', 2, 'c. à soupe', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Yaourt au miel et aux noix',
    'Un dessert express : du yaourt nature, un filet de miel et des cerneaux de noix concassés.',
    5, 0, 0, 4, 0, 2, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Yaourt au miel et aux noix'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Yaourts nature', 4, NULL, ''),
    ('Miel', 4, 'c. à soupe', ''),
    ('Noix', 40, 'g', 'concassées')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Panna cotta aux fruits rouges',
    'Une crème vanillée prise à la gélatine, servie avec un coulis de fruits rouges.',
    15, 5, 240, 6, 0, 2, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Panna cotta aux fruits rouges'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Crème liquide', 50, 'cl', ''),
    ('Sucre en poudre', 60, 'g', ''),
    ('Gélatine', 3, 'feuille', ''),
    ('Vanille', 1, 'gousse', ''),
    ('Fruits rouges surgelés', 300, 'g', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Gâteau au yaourt',
    'Le gâteau de l''enfance, mesuré avec le pot de yaourt : simple, moelleux et inratable.',
    15, 35, 0, 8, 0, 2, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Gâteau au yaourt'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Yaourts nature', 1, NULL, ''),
    ('Farine', 3, 'pot', ''),
    ('Sucre en poudre', 2, 'pot', ''),
    ('Huile de tournesol', 0.5, 'pot', ''),
    ('Oeufs', 3, NULL, ''),
    ('Levure chimique', 1, 'sachet', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Poires Belle-Hélène',
    'Des poires pochées au sirop vanillé, servies froides avec de la glace à la vanille et une sauce au chocolat bien chaude.',
    20, 20, 60, 4, 0, 2, 2, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Poires Belle-Hélène'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Poires', 4, NULL, ''),
    ('Sucre en poudre', 150, 'g', ''),
    ('Vanille', 1, 'gousse', ''),
    ('Eau', 100, 'cl', ''),
    ('Chocolat noir pâtissier', 100, 'g', ''),
    ('Crème liquide', 10, 'cl', ''),
    ('Glace vanille', 0.5, 'l', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Fraises à la menthe',
    'Des fraises coupées, sucrées et parfumées de menthe fraîche ciselée et d''un trait de citron.',
    10, 0, 30, 4, 0, 2, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Fraises à la menthe'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Fraises', 500, 'g', ''),
    ('Sucre en poudre', 30, 'g', ''),
    ('Menthe fraîche', 0.25, 'botte', 'ciselée'),
    ('Citrons', 0.5, NULL, 'jus')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Compote de pommes',
    'Une compote maison peu sucrée, parfumée à la cannelle, à déguster tiède ou froide.',
    15, 20, 0, 4, 0, 2, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Compote de pommes'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Pommes', 0.75, 'kg', ''),
    ('Sucre en poudre', 40, 'g', ''),
    ('Cannelle', 1, 'pincée', ''),
    ('Eau', 10, 'cl', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Quatre-quarts',
    'Le gâteau breton aux quatre ingrédients en poids égal, bien doré et fondant.',
    15, 45, 0, 8, 0, 2, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Quatre-quarts'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Oeufs', 4, NULL, ''),
    ('Beurre demi-sel', 250, 'g', ''),
    ('Farine', 250, 'g', ''),
    ('Sucre en poudre', 250, 'g', ''),
    ('Levure chimique', 0.5, 'sachet', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Crème au chocolat',
    'Une crème dessert maison au chocolat, lisse et gourmande, prise au réfrigérateur dans des ramequins.',
    10, 10, 180, 6, 0, 2, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Crème au chocolat'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Lait', 75, 'cl', ''),
    ('Chocolat noir pâtissier', 125, 'g', ''),
    ('Oeufs', 3, NULL, 'jaunes'),
    ('Sucre en poudre', 60, 'g', ''),
    ('Maïzena', 30, 'g', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Tarte aux fraises',
    'Un fond de pâte sablée, une crème pâtissière à la vanille et des fraises fraîches disposées en rosace.',
    30, 20, 60, 8, 0, 2, 1, (SELECT code FROM livre WHERE name = 'Douceurs du dimanche'), '61', NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Tarte aux fraises'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Pâte sablée', 1, 'rouleau', ''),
    ('Fraises', 500, 'g', ''),
    ('Lait', 50, 'cl', ''),
    ('Oeufs', 3, NULL, 'jaunes'),
    ('Sucre en poudre', 80, 'g', ''),
    ('Maïzena', 40, 'g', ''),
    ('Vanille', 1, 'gousse', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Pommes au four',
    'Des pommes entières cuites au four avec du beurre, de la cassonade, de la cannelle et des raisins secs.',
    10, 35, 0, 4, 0, 2, 2, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Pommes au four'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Pommes', 4, NULL, ''),
    ('Beurre', 40, 'g', ''),
    ('Cassonade', 4, 'c. à soupe', ''),
    ('Cannelle', 1, 'c. à café', ''),
    ('Raisins secs', 40, 'g', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Flan pâtissier',
    'Un flan ferme et vanillé, cuit sur une pâte brisée, à servir bien froid.',
    20, 45, 180, 8, 0, 2, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Flan pâtissier'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Pâte brisée', 1, 'rouleau', ''),
    ('Lait', 75, 'cl', ''),
    ('Crème liquide', 25, 'cl', ''),
    ('Oeufs', 4, NULL, ''),
    ('Sucre en poudre', 150, 'g', ''),
    ('Maïzena', 80, 'g', ''),
    ('Vanille', 1, 'gousse', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Fromage blanc aux fruits rouges',
    'Du fromage blanc battu, des fruits rouges et un filet de miel : simple et frais.',
    5, 0, 0, 4, 0, 2, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Fromage blanc aux fruits rouges'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Fromage blanc', 500, 'g', ''),
    ('Fruits rouges surgelés', 250, 'g', 'décongelés'),
    ('Miel', 2, 'c. à soupe', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Brownies aux noix',
    'Des carrés de gâteau fondant au chocolat noir et aux noix, croustillants sur le dessus.',
    15, 25, 0, 8, 0, 2, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Brownies aux noix'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Chocolat noir pâtissier', 200, 'g', ''),
    ('Beurre', 150, 'g', ''),
    ('Sucre en poudre', 150, 'g', ''),
    ('Oeufs', 3, NULL, ''),
    ('Farine', 80, 'g', ''),
    ('Noix', 100, 'g', 'concassées')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Madeleines au citron',
    'De petits gâteaux moelleux au beurre et au zeste de citron, avec leur bosse caractéristique.',
    15, 10, 60, 8, 0, 2, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Madeleines au citron'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Farine', 125, 'g', ''),
    ('Sucre en poudre', 100, 'g', ''),
    ('Beurre', 100, 'g', 'fondu'),
    ('Oeufs', 3, NULL, ''),
    ('Levure chimique', 0.5, 'sachet', ''),
    ('Citrons', 1, NULL, 'zeste')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Abricots rôtis au miel',
    'Des abricots coupés en deux et rôtis au four avec du miel et de la vanille, servis tièdes avec des amandes effilées grillées.',
    10, 20, 0, 4, 0, 2, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Abricots rôtis au miel'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Abricots', 12, NULL, ''),
    ('Miel', 3, 'c. à soupe', ''),
    ('Vanille', 0.5, 'gousse', ''),
    ('Beurre', 20, 'g', ''),
    ('Amandes effilées', 30, 'g', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Oranges à la cannelle',
    'Des oranges pelées à vif et coupées en rondelles, parfumées de cannelle et de sucre, très rafraîchissantes en hiver.',
    15, 0, 60, 4, 0, 2, 2, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Oranges à la cannelle'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Oranges', 6, NULL, ''),
    ('Cannelle', 1, 'c. à café', ''),
    ('Sucre en poudre', 2, 'c. à soupe', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Gâteau de semoule aux raisins',
    'De la semoule cuite dans le lait vanillé avec des raisins secs, nappée de caramel et servie froide.',
    15, 30, 120, 6, 0, 2, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Gâteau de semoule aux raisins'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Semoule', 100, 'g', 'fine'),
    ('Lait', 75, 'cl', ''),
    ('Sucre en poudre', 120, 'g', ''),
    ('Oeufs', 2, NULL, ''),
    ('Raisins secs', 60, 'g', ''),
    ('Vanille', 1, 'gousse', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Moelleux aux amandes',
    'Un gâteau tendre à la poudre d''amandes, saupoudré de sucre glace, parfait avec un café.',
    15, 25, 0, 6, 0, 2, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Moelleux aux amandes'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Poudre d''amandes', 125, 'g', ''),
    ('Beurre', 100, 'g', ''),
    ('Sucre en poudre', 100, 'g', ''),
    ('Oeufs', 3, NULL, ''),
    ('Farine', 40, 'g', ''),
    ('Sucre glace', 1, 'c. à soupe', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

-- ======================================================================
-- Boissons
-- ======================================================================

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Citronnade maison',
    'Du jus de citron pressé, du sucre et de l''eau fraîche avec quelques feuilles de menthe, servie avec des glaçons.',
    10, 0, 60, 6, 0, 3, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Citronnade maison'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Citrons', 4, NULL, 'jus'),
    ('Sucre en poudre', 100, 'g', ''),
    ('Eau', 150, 'cl', ''),
    ('Menthe fraîche', 0.25, 'botte', ''),
    ('Glaçons', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Thé glacé à la pêche',
    'Du thé noir infusé puis refroidi, mélangé à des pêches mixées et à un peu de sucre.',
    10, 5, 120, 6, 0, 3, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Thé glacé à la pêche'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Thé noir', 3, 'sachet', ''),
    ('Pêches', 2, NULL, ''),
    ('Sucre en poudre', 60, 'g', ''),
    ('Eau', 100, 'cl', ''),
    ('Citrons', 0.5, NULL, 'jus'),
    ('Glaçons', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Chocolat chaud à l''ancienne',
    'Du vrai chocolat fondu dans le lait chaud, fouetté jusqu''à ce qu''il mousse.',
    5, 10, 0, 4, 0, 3, 2, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Chocolat chaud à l''ancienne'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Lait', 100, 'cl', ''),
    ('Chocolat noir pâtissier', 150, 'g', ''),
    ('Sucre en poudre', 2, 'c. à soupe', ''),
    ('Cannelle', 1, 'pincée', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Vin chaud aux épices',
    'Du vin rouge chauffé doucement avec une orange, de la cannelle et du sucre, à servir bien chaud.',
    10, 15, 0, 6, 2, 3, 2, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Vin chaud aux épices'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Vin rouge', 75, 'cl', ''),
    ('Oranges', 1, NULL, 'en rondelles'),
    ('Sucre en poudre', 80, 'g', ''),
    ('Cannelle', 1, 'c. à café', ''),
    ('Muscade', 1, 'pincée', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Smoothie banane et fruits rouges',
    'Banane, fruits rouges et yaourt mixés avec un peu de lait, pour une boisson vitaminée.',
    10, 0, 0, 2, 0, 3, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Smoothie banane et fruits rouges'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Bananes', 2, NULL, ''),
    ('Fruits rouges surgelés', 150, 'g', ''),
    ('Yaourts nature', 1, NULL, ''),
    ('Lait', 20, 'cl', ''),
    ('Miel', 1, 'c. à soupe', '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Sangria',
    'Du vin rouge et des fruits frais avec un soupçon de cannelle, à laisser macérer plusieurs heures au frais.',
    15, 0, 240, 8, 2, 3, 1, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Sangria'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Vin rouge', 75, 'cl', ''),
    ('Oranges', 2, NULL, 'en rondelles'),
    ('Citrons', 1, NULL, 'en rondelles'),
    ('Pêches', 2, NULL, 'en dés'),
    ('Sucre en poudre', 80, 'g', ''),
    ('Eau gazeuse', 50, 'cl', ''),
    ('Cannelle', 1, 'pincée', ''),
    ('Glaçons', 0, NULL, '')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;

INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, livcode, page, link)
VALUES ('Jus d''orange pressé',
    'Du jus d''orange pressé relevé d''un trait de citron, à servir au petit-déjeuner ou au déjeuner.',
    10, 0, 0, 4, 1, 3, 0, NULL, NULL, NULL);
INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note)
SELECT (SELECT code FROM recette WHERE name = 'Jus d''orange pressé'), i.code, v.column2, u.code, v.column4
FROM (VALUES
    ('Oranges', 8, NULL, 'jus'),
    ('Citrons', 0.5, NULL, 'jus')
) AS v LEFT JOIN ingredient i ON i.name = v.column1 LEFT JOIN unite u ON u.name = v.column3;
