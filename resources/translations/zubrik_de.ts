<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="fr">
<context>
    <name>AnalyseJoueur</name>
    <message>
        <source>Vue Joueur</source>
        <translation>Spieleransicht</translation>
    </message>
    <message>
        <source>Vue Autres</source>
        <translation>Ansicht der anderen</translation>
    </message>
    <message>
        <source>Réel</source>
        <translation>Tatsächlich</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Text Log</source>
        <translation>Textprotokoll</translation>
    </message>
    <message>
        <source>Simulation</source>
        <translation>Simulation</translation>
    </message>
    <message>
        <source>Tree</source>
        <translation>Baum</translation>
    </message>
</context>
<context>
    <name>ClientSocket</name>
    <message>
        <source>L&apos;ordinateur distant a été trouvé, mais aucun serveur de jeu ne répond sur ce port. Vérifiez le port que l&apos;hôte vous a donné</source>
        <translation>Der entfernte Computer wurde gefunden, aber auf diesem Port antwortet kein Spielserver. Prüfen Sie den Port, den Ihnen der Gastgeber genannt hat</translation>
    </message>
    <message>
        <source>Partie en ligne terminée</source>
        <translation>Online-Partie beendet</translation>
    </message>
    <message>
        <source>L&apos;hôte vous a retiré de la partie.</source>
        <translation>Der Gastgeber hat Sie aus der Partie entfernt.</translation>
    </message>
    <message>
        <source>L&apos;hôte a arrêté la partie.</source>
        <translation>Der Gastgeber hat die Partie beendet.</translation>
    </message>
    <message>
        <source>Erreur de connection client</source>
        <translation>Verbindungsfehler</translation>
    </message>
    <message>
        <source>Connection au serveur IP: %1, port: %2
%3.</source>
        <translation>Verbindung zum Server IP: %1, Port: %2
%3.</translation>
    </message>
    <message>
        <source>Notification</source>
        <translation>Mitteilung</translation>
    </message>
    <message>
        <source>Le début de la partie va être rejoué, merci d&apos;être attentif.</source>
        <translation>Der Anfang des Spiels wird jetzt wiederholt, bitte aufpassen.</translation>
    </message>
    <message>
        <source>Connection client</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Vous vous apprétez à vous déconnecter du serveur. Quitter tout de même?</source>
        <translation>Sie trennen gleich die Verbindung zum Server. Das Online-Spiel trotzdem verlassen?</translation>
    </message>
    <message>
        <source>L&apos;ordinateur distant a été trouvé, mais le serveur de jeu a refusé la connection: il est complet, ou trop de connections arrivent de votre adresse. Réessayez plus tard</source>
        <translation>Der entfernte Rechner wurde gefunden, aber der Spielserver hat die Verbindung abgelehnt: er ist voll, oder zu viele Verbindungen kommen von Ihrer Adresse. Versuchen Sie es später noch einmal</translation>
    </message>
    <message>
        <source>L&apos;ordinateur distant a été trouvé, mais le serveur de jeu est complet</source>
        <translation>Der entfernte Rechner wurde gefunden, aber der Spielserver ist voll</translation>
    </message>
    <message>
        <source>La connection avec le serveur a été interrompue.</source>
        <translation>Die Verbindung zum Server wurde unterbrochen.</translation>
    </message>
    <message>
        <source>L&apos;ordinateur distant a été trouvé, mais le serveur de jeu n&apos;est pas démarré, ou alors sa configuration réseau est incorrecte</source>
        <translation>Der entfernte Rechner wurde gefunden, aber der Spielserver ist nicht gestartet oder seine Netzwerkeinstellungen sind falsch</translation>
    </message>
    <message>
        <source>La connection avec le serveur a été interrompue</source>
        <translation>Die Verbindung zum Server wurde unterbrochen</translation>
    </message>
    <message>
        <source>L&apos;ordinateur distant a accepté la connexion, mais aucun serveur de jeu n&apos;y a répondu en %1 secondes. Vérifiez le port que l&apos;hôte vous a donné</source>
        <translation>Der entfernte Computer hat die Verbindung angenommen, aber kein Spielserver hat dort innerhalb von %1 Sekunden geantwortet. Prüfen Sie den Port, den Ihnen der Gastgeber genannt hat</translation>
    </message>
    <message>
        <source>L&apos;hôte n&apos;a rien envoyé depuis %1 secondes: la partie en ligne est abandonnée</source>
        <translation>Der Gastgeber hat seit %1 Sekunden nichts gesendet: die Online-Partie wird aufgegeben</translation>
    </message>
</context>
<context>
    <name>DisplayGL</name>
    <message>
        <source>Exclusion</source>
        <translation>Ausschluss</translation>
    </message>
    <message>
        <source>Vous avez été écarté de la partie
pour avoir pris trop de temps.</source>
        <translation>Sie wurden vom Spiel ausgeschlossen,
weil Sie zu lange gebraucht haben.</translation>
    </message>
</context>
<context>
    <name>DisplayGLPanelDeJoueur</name>
    <message>
        <source>Celle-ci vaut %2 points.</source>
        <translation>Dieser ist %2 Punkte wert.</translation>
    </message>
</context>
<context>
    <name>DisplayGLScene</name>
    <message>
        <source>Je passe</source>
        <translation>Ich passe</translation>
    </message>
    <message>
        <source>Serveur: Ligne courte pour tester les messages réseau.</source>
        <translation>Server: Kurze Zeile zum Testen der Netzwerkmeldungen.</translation>
    </message>
    <message>
        <source>Test: Ceci est une ligne très très très très très très très très très très très très très très longue pour tester les messages réseau.</source>
        <translation>Test: Dies ist eine sehr sehr sehr sehr sehr sehr sehr sehr sehr sehr sehr sehr sehr sehr lange Zeile zum Testen der Netzwerkmeldungen.</translation>
    </message>
    <message>
        <source>Serveur: Ligne successive %1 pour tester les messages réseau.</source>
        <translation>Server: Aufeinanderfolgende Zeile %1 zum Testen der Netzwerkmeldungen.</translation>
    </message>
    <message>
        <source>Je prends</source>
        <translation>Ich nehme</translation>
    </message>
    <message>
        <source>Capot en %1</source>
        <translation>Kapot in %1</translation>
    </message>
    <message>
        <source>, Mise %1</source>
        <translation>, Gebot %1</translation>
    </message>
    <message>
        <source>Règles plus détaillées: </source>
        <translation>Ausführlichere Regeln: </translation>
    </message>
    <message>
        <source>Touchez l&apos;écran</source>
        <translation>Tippen Sie auf den Bildschirm</translation>
    </message>
    <message>
        <source>Cliquez</source>
        <translation>Klicken Sie</translation>
    </message>
    <message>
        <source>Mode de secours</source>
        <translation>Notfallmodus</translation>
    </message>
    <message>
        <source>Le mode d&apos;affichage a été changé en &apos;%1&apos;.</source>
        <translation>Der Anzeigemodus wurde auf &apos;%1&apos; geändert.</translation>
    </message>
    <message>
        <source> / %1 Tours Restants</source>
        <translation> / noch %1 Runden</translation>
    </message>
    <message>
        <source>Fin de partie.</source>
        <translation>Spielende.</translation>
    </message>
    <message>
        <source>End of the game.</source>
        <translation>Spielende.</translation>
    </message>
    <message>
        <source>Patientez...</source>
        <translation>Bitte warten...</translation>
    </message>
    <message>
        <source>Vous êtes spectateur, merci de patienter...</source>
        <translation>Sie schauen zu, bitte warten...</translation>
    </message>
    <message>
        <source>Vous êtes spectateur.</source>
        <translation>Sie schauen zu.</translation>
    </message>
    <message>
        <source>%1 pour distribuer.</source>
        <translation>%1, um zu verteilen.</translation>
    </message>
    <message>
        <source>%1 pour continuer.</source>
        <translation>%1, um fortzufahren.</translation>
    </message>
    <message>
        <source>%1 pour confirmer les annonces.</source>
        <translation>%1, um die Weisen zu bestätigen.</translation>
    </message>
    <message>
        <source>%1 pour terminer la partie.</source>
        <translation>%1, um das Spiel zu beenden.</translation>
    </message>
    <message>
        <source>Fin du Jeu!</source>
        <translation>Spiel vorbei!</translation>
    </message>
    <message>
        <source>%1 choisit la mise...</source>
        <translation>%1 wählt das Gebot...</translation>
    </message>
    <message>
        <source>Choisissez la mise.</source>
        <translation>Wählen Sie Ihr Gebot.</translation>
    </message>
    <message>
        <source>Choisissez l&apos;atout.</source>
        <translation>Wählen Sie den Trumpf.</translation>
    </message>
    <message>
        <source>%1 choisit l&apos;atout...</source>
        <translation>%1 wählt den Trumpf...</translation>
    </message>
    <message>
        <source>%1 a chibré. Choisissez l&apos;atout.</source>
        <translation>%1 hat geschoben. Wählen Sie den Trumpf.</translation>
    </message>
    <message>
        <source>Vous avez chibré. %1 choisit l&apos;atout...</source>
        <translation>Sie haben geschoben. %1 wählt den Trumpf...</translation>
    </message>
    <message>
        <source>%1 a chibré. %2 choisit l&apos;atout...</source>
        <translation>%1 hat geschoben. %2 wählt den Trumpf...</translation>
    </message>
    <message>
        <source>L&apos;atout est %1.</source>
        <translation>Trumpf ist %1.</translation>
    </message>
    <message>
        <source>L&apos;atout imposé est %1.</source>
        <translation>Der vorgegebene Trumpf ist %1.</translation>
    </message>
    <message>
        <source>Le joueur avec &apos;%1 de %2&apos; commence.</source>
        <translation>Wer &apos;%2 %1&apos; hat, beginnt.</translation>
    </message>
    <message>
        <source>Choisissez une carte.</source>
        <translation>Wählen Sie eine Karte.</translation>
    </message>
    <message>
        <source>Au tour de %1...</source>
        <translation>%1 ist am Zug...</translation>
    </message>
    <message>
        <source>Haut en Bas</source>
        <translation>Obenabe</translation>
    </message>
    <message>
        <source>Bas en Haut</source>
        <translation>Undenufe</translation>
    </message>
    <message>
        <source>ZigZag Depart en Bas</source>
        <translation>Slalom von unten</translation>
    </message>
    <message>
        <source>ZigZag Depart en Haut</source>
        <translation>Slalom von oben</translation>
    </message>
    <message>
        <source>Tout atout</source>
        <translation>Alles Trumpf</translation>
    </message>
    <message>
        <source>Sans atout</source>
        <translation>Ohne Trumpf</translation>
    </message>
    <message>
        <source>Inverse</source>
        <translation>Umgekehrt</translation>
    </message>
    <message>
        <source>ERREUR: Status invalide</source>
        <translation>FEHLER: ungültiger Status</translation>
    </message>
    <message>
        <source>Aide</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source> Annonce</source>
        <translation> Weis</translation>
    </message>
    <message>
        <source> Der</source>
        <translation> Letzter Stich</translation>
    </message>
    <message>
        <source> Belote</source>
        <translation> Belote</translation>
    </message>
    <message>
        <source> Stöck</source>
        <translation> Stöck</translation>
    </message>
    <message>
        <source> Mise</source>
        <translation> Gebot</translation>
    </message>
    <message>
        <source>Capot</source>
        <translation>Kapot</translation>
    </message>
    <message>
        <source>Match</source>
        <translation>Match</translation>
    </message>
    <message>
        <source>%1 de %2</source>
        <translation>%2 %1</translation>
    </message>
    <message>
        <source>Vous</source>
        <translation>Wir</translation>
    </message>
    <message>
        <source>Eux</source>
        <translation>Gegner</translation>
    </message>
    <message>
        <source>Tour: %1x%2</source>
        <translation>Runde: %1x%2</translation>
    </message>
    <message>
        <source> Plis Adverse</source>
        <translation> Stiche Gegner</translation>
    </message>
    <message>
        <source> Annonces Adverse</source>
        <translation> Weis Gegner</translation>
    </message>
    <message>
        <source> Der Adverse</source>
        <translation> Letzter Stich Gegner</translation>
    </message>
    <message>
        <source> Adverse</source>
        <translation> Gegner</translation>
    </message>
    <message>
        <source>L&apos;ordinateur vous conseille de &apos;Passer&apos;.</source>
        <translation>Der Computer rät Ihnen zu &apos;Passen&apos;.</translation>
    </message>
    <message>
        <source>L&apos;ordinateur vous conseille de &apos;Prendre&apos;.</source>
        <translation>Der Computer rät Ihnen zu &apos;Nehmen&apos;.</translation>
    </message>
    <message>
        <source>Coincher</source>
        <translation>Coincher</translation>
    </message>
    <message>
        <source>Contrer</source>
        <translation>Kontra</translation>
    </message>
    <message>
        <source>Surcoincher</source>
        <translation>Surcoincher</translation>
    </message>
    <message>
        <source>Surcontrer</source>
        <translation>Rekontra</translation>
    </message>
    <message>
        <source>L&apos;ordinateur vous conseille de choisir &apos;%1 %2&apos;.</source>
        <translation>Der Computer rät Ihnen, &apos;%1 %2&apos; zu wählen.</translation>
    </message>
    <message>
        <source>L&apos;ordinateur vous conseille de &apos;%1&apos;.</source>
        <translation>Der Computer rät Ihnen: &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>L&apos;ordinateur vous conseille de choisir &apos;Capot en %1&apos;.</source>
        <translation>Der Computer rät Ihnen, &apos;Kapot in %1&apos; zu wählen.</translation>
    </message>
    <message>
        <source>Si c&apos;est votre partenaire qui prends la main, donnez lui des points (par exemple un dix). Ou alors si vous pouvez prendre le &apos;Pli&apos;, n&apos;hésitez pas et jouez vos &apos;Boques&apos; (cartes gagnantes).</source>
        <translation>Wenn Ihr Partner den Stich macht, geben Sie ihm Punkte (zum Beispiel eine Zehn). Wenn Sie den &apos;Stich&apos; selbst machen können, zögern Sie nicht und spielen Sie Ihre &apos;Böcke&apos; (Gewinnkarten).</translation>
    </message>
    <message>
        <source>Vous ouvrez le &apos;pli&apos;, car vous avez remporté la main précédente. </source>
        <translation>Sie spielen den &apos;Stich&apos; aus, weil Sie den vorigen gewonnen haben. </translation>
    </message>
    <message>
        <source>Comme il reste peu d&apos;atouts, vous devriez jouer vos cartes &apos;Boque&apos; (cartes gagnantes). Si vous n&apos;avez pas de &apos;Boque&apos;, alors tentez de donner la main à votre partenaire, en jouant une carte modeste. </source>
        <translation>Da nur noch wenige Trümpfe im Spiel sind, sollten Sie Ihre &apos;Böcke&apos; (Gewinnkarten) spielen. Haben Sie keinen &apos;Bock&apos;, versuchen Sie mit einer kleinen Karte, Ihrem Partner das Ausspiel zu geben. </translation>
    </message>
    <message>
        <source>Comme il reste des atout, si vous le pouvez, il est conseillé de faire un nouveau tour en atout. Ainsi vous pourrez jouer vos carte &apos;Boque&apos; (cartes gagnantes) sans risque plus tard. Si vous pensez que ces atouts sont tous chez vous ou votre partenaire, alors vous devriez jouer vos &apos;Boque&apos;, par exemple des as. </source>
        <translation>Da noch Trümpfe im Spiel sind, ist es ratsam, wenn möglich noch eine Trumpfrunde zu spielen. So können Sie Ihre &apos;Böcke&apos; (Gewinnkarten) später ohne Risiko spielen. Wenn Sie glauben, dass alle diese Trümpfe bei Ihnen oder Ihrem Partner sind, sollten Sie Ihre &apos;Böcke&apos; spielen, zum Beispiel Asse. </translation>
    </message>
    <message>
        <source>Vous pouvez aussi tenter de rendre vos propres cartes gagnantes, par exemple en jouant une petite carte dans une couleur oû vous avez un roi, avec l&apos;espoir qu&apos;un autre joueur joue l&apos;as de la même couleur.</source>
        <translation>Sie können auch versuchen, Ihre eigenen Karten zu Gewinnkarten zu machen, zum Beispiel indem Sie eine kleine Karte in einer Farbe spielen, in der Sie den König haben, in der Hoffnung, dass ein anderer Spieler das Ass dieser Farbe spielt.</translation>
    </message>
    <message>
        <source>Comme vous n&apos;avez pas fait atout, au début, il est pratique de conserver vos atouts et vos cartes &apos;Boque&apos; (cartes gagnantes). Ensuite, jouez vos atouts lorsque les points sur le tas sont suffisants (par exemple lorsqu&apos;un as s&apos;y trouve). </source>
        <translation>Da Sie den Trumpf nicht bestimmt haben, ist es anfangs günstig, Ihre Trümpfe und Ihre &apos;Böcke&apos; (Gewinnkarten) zu behalten. Spielen Sie Ihre Trümpfe dann, wenn genug Punkte im Stich liegen (zum Beispiel ein Ass). </translation>
    </message>
    <message>
        <source>Si vous le pouvez, jouez vos atouts pour &apos;couper&apos; lorsque les points sur le tas sont suffisants (par exemple lorsqu&apos;un as s&apos;y trouve). En effet, une carte de couleur atout (actuellement &apos;%1&apos;) prends sur toutes les autres couleurs. </source>
        <translation>Wenn möglich, spielen Sie Ihre Trümpfe zum &apos;Stechen&apos;, wenn genug Punkte im Stich liegen (zum Beispiel ein Ass). Eine Karte der Trumpffarbe (zurzeit &apos;%1&apos;) sticht nämlich alle anderen Farben. </translation>
    </message>
    <message>
        <source>Comme c&apos;est encore possible, vous devriez tentez le &apos;%1&apos; (remporter toutes les plis), car cela rapporterait %2 points de plus.</source>
        <translation>Da es noch möglich ist, sollten Sie den &apos;%1&apos; (alle Stiche gewinnen) versuchen, denn das brächte %2 Punkte mehr.</translation>
    </message>
    <message>
        <source>Actuellement, vous risquez le &apos;%1&apos; (perdre toutes les plis). Cela rapporterait %2 points de plus à votre adversaire. Assurez-vous donc de faire au moins une plie.</source>
        <translation>Zurzeit droht Ihnen der &apos;%1&apos; (alle Stiche verlieren). Das brächte Ihren Gegnern %2 Punkte mehr. Sorgen Sie also dafür, mindestens einen Stich zu machen.</translation>
    </message>
    <message>
        <source>Il est courant de compter les atouts mentalement, pour savoir quand jouer les &apos;Boque&apos; (cartes gagnantes) sans risque.</source>
        <translation>Man zählt die Trümpfe gewöhnlich im Kopf mit, um zu wissen, wann man die &apos;Böcke&apos; (Gewinnkarten) ohne Risiko spielen kann.</translation>
    </message>
    <message>
        <source>Il reste %1 atout(s) en jeu.</source>
        <translation>Es sind noch %1 Trumpf/Trümpfe im Spiel.</translation>
    </message>
    <message>
        <source>L&apos;ordinateur vous conseille de &apos;Couper&apos; avec &apos;%1&apos;.</source>
        <translation>Der Computer rät Ihnen, mit &apos;%1&apos; zu &apos;Stechen&apos;.</translation>
    </message>
    <message>
        <source>L&apos;ordinateur vous conseille de jouer &apos;%1&apos;.</source>
        <translation>Der Computer rät Ihnen, &apos;%1&apos; zu spielen.</translation>
    </message>
    <message>
        <source>L&apos;ordinateur vous conseille de choisir &apos;Chibre&apos;, ce qui signifie laisser le choix de l&apos;atout à votre partenaire.</source>
        <translation>Der Computer rät Ihnen zu &apos;Schieben&apos;, das heisst, die Wahl des Trumpfs Ihrem Partner zu überlassen.</translation>
    </message>
    <message>
        <source>L&apos;ordinateur vous conseille de choisir &apos;%1&apos;.</source>
        <translation>Der Computer rät Ihnen, &apos;%1&apos; zu wählen.</translation>
    </message>
    <message>
        <source>Il est conseillé de choisir une couleur dans laquelle vous aurez le bour (%1 d&apos;atout), le nel (Le Neuf d&apos;atout), puis l&apos;as, etc. Plus vous avez d&apos;atout, meilleures sont vos chances.</source>
        <translation>Es ist ratsam, eine Farbe zu wählen, in der Sie den Puur (%1 im Trumpf), das Nell (die Trumpfneun), dann das Ass usw. haben. Je mehr Trümpfe Sie haben, desto besser sind Ihre Chancen.</translation>
    </message>
    <message>
        <source>Ce menu vous permet d&apos;obtenir de l&apos;aide sur les règles, le jeu et ses détails, tout au long de la partie.&lt;br&gt;&lt;br&gt;Comme la partie n&apos;est pas débutée, il n&apos;y a actuellement pas d&apos;aide disponible.</source>
        <translation>Dieses Menü bietet während des ganzen Spiels Hilfe zu den Regeln, zum Spiel und seinen Einzelheiten.&lt;br&gt;&lt;br&gt;Da das Spiel noch nicht begonnen hat, ist zurzeit keine Hilfe verfügbar.</translation>
    </message>
    <message>
        <source>Vous devez choisir la mise, ou &apos;Passer&apos;. La couleur de cette mise sera celle d&apos;atout, qui surclassera toute les autres. </source>
        <translation>Sie müssen ein Gebot wählen oder &apos;Passen&apos;. Die Farbe dieses Gebots wird Trumpf und sticht alle anderen. </translation>
    </message>
    <message>
        <source>Vous pouvez &apos;Passer&apos; ou choisir l&apos;atout. L&apos;atout sera la couleur qui surclasse toute les autres. </source>
        <translation>Sie können &apos;Passen&apos; oder den Trumpf wählen. Trumpf ist die Farbe, die alle anderen sticht. </translation>
    </message>
    <message>
        <source>Vous devez choisir l&apos;atout: L&apos;atout sera la couleur qui surclasse toute les autres. </source>
        <translation>Sie müssen den Trumpf wählen: Trumpf ist die Farbe, die alle anderen sticht. </translation>
    </message>
    <message>
        <source>&lt;br&gt;&lt;br&gt;Si vous pensez ne pas avoir de bon choix, vous pouvez &apos;Chibrer&apos;. Par contre c&apos;est à éviter si il vous manque une couleur, car il est alors possible que votre partenaire choisisse la couleur qui vous manque, ce qui serait un handicap.</source>
        <translation>&lt;br&gt;&lt;br&gt;Wenn Sie glauben, keine gute Wahl zu haben, können Sie &apos;Schieben&apos;. Vermeiden Sie das aber, wenn Ihnen eine Farbe fehlt, denn Ihr Partner könnte genau diese Farbe wählen, was ein Nachteil wäre.</translation>
    </message>
    <message>
        <source>Vous commencez le tour: Il est conseillé de faire &apos;tomber les atouts&apos;, pour que vous ou votre partenaire puissiez jouer vos cartes gagnantes plus tard, sans risquer d&apos;être pris par un atout adverse.&lt;br&gt;&lt;br&gt;Au premier tour, il est généralement d&apos;usage de jouer votre atout le plus haut, par exemple le bour (%1), sinon le nel (%2), puis l&apos;as, etc.&lt;br&gt;&lt;br&gt;Ainsi, votre partenaire saura quelle est votre meilleure carte.</source>
        <translation>Sie spielen diese Runde aus: Es ist ratsam, &apos;die Trümpfe herauszuholen&apos;, damit Sie oder Ihr Partner Ihre Gewinnkarten später spielen können, ohne von einem gegnerischen Trumpf gestochen zu werden.&lt;br&gt;&lt;br&gt;In der ersten Runde spielt man üblicherweise den höchsten Trumpf, zum Beispiel den Puur (%1), sonst das Nell (%2), dann das Ass usw.&lt;br&gt;&lt;br&gt;So weiss Ihr Partner, welches Ihre beste Karte ist.</translation>
    </message>
    <message>
        <source>Vous commencez la partie, et il s&apos;agit d&apos;une partie sans atouts de haut en bas. Un coup sans risque est de jouer un as.</source>
        <translation>Sie spielen aus, und es ist ein Spiel ohne Trumpf von oben nach unten (Obenabe). Ein sicherer Zug ist, ein Ass zu spielen.</translation>
    </message>
    <message>
        <source>Vous commencez la partie, et il s&apos;agit d&apos;une partie sans atouts de bas en haut. Un coup sans risque est de jouer un six.</source>
        <translation>Sie spielen aus, und es ist ein Spiel ohne Trumpf von unten nach oben (Undenufe). Ein sicherer Zug ist, eine Sechs zu spielen.</translation>
    </message>
    <message>
        <source>Dans ce jeu, les annonces sont gérées par l&apos;ordinateur. Une annonce est une combinaison de cartes qui rapporte des points au début du jeu.&lt;br&gt;&lt;br&gt;- 3 cartes de couleur identique qui se suivent donnent 20 points&lt;br&gt;- 4 cartes 50 points&lt;br&gt;- 5 cartes 100 points.&lt;br&gt;&lt;br&gt;Les carrés à partir des dix donnent 100 points, sauf les 4 nels (neuf) qui donnent 150 et les 4 bours (valet) qui donnent 200 points.&lt;br&gt;&lt;br&gt;Notez que mémoriser les annonces des autres joueurs permet de connaitre une partie de leur jeu.</source>
        <translation>In diesem Spiel verwaltet der Computer die Weisen. Ein Weis ist eine Kartenkombination, die zu Beginn des Spiels Punkte bringt.&lt;br&gt;&lt;br&gt;- 3 aufeinanderfolgende Karten derselben Farbe geben 20 Punkte&lt;br&gt;- 4 Karten 50 Punkte&lt;br&gt;- 5 Karten 100 Punkte.&lt;br&gt;&lt;br&gt;Vier Gleiche ab den Zehnern geben 100 Punkte, ausser die 4 Nell (Neuner), die 150 geben, und die 4 Puur (Buben), die 200 Punkte geben.&lt;br&gt;&lt;br&gt;Wer sich die Weisen der anderen Spieler merkt, kennt einen Teil ihrer Karten.</translation>
    </message>
    <message>
        <source>La partie est exceptionnellement terminée avant la fin du tour, car un joueur a fait une annonce qui permet à son équipe de gagner immédiatement.</source>
        <translation>Das Spiel ist ausnahmsweise vor dem Ende der Runde beendet, weil ein Spieler einen Weis gemacht hat, mit dem sein Team sofort gewinnt.</translation>
    </message>
    <message>
        <source>Vous avez rejoint la partie en ligne.</source>
        <translation>Sie sind dem Online-Spiel beigetreten.</translation>
    </message>
    <message>
        <source>Vous avez rejoint la partie en ligne &apos;%1&apos;.</source>
        <translation>Sie sind dem Online-Spiel &apos;%1&apos; beigetreten.</translation>
    </message>
    <message>
        <source>De haut en bas</source>
        <translation>Obenabe</translation>
    </message>
    <message>
        <source>De bas en haut</source>
        <translation>Undenufe</translation>
    </message>
    <message>
        <source>Zig-zag avec départ en bas</source>
        <translation>Slalom, unten beginnend</translation>
    </message>
    <message>
        <source>Zig-zag avec départ en haut</source>
        <translation>Slalom, oben beginnend</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>---</source>
        <translation>---</translation>
    </message>
    <message>
        <source>--- %1 ---</source>
        <translation>--- %1 ---</translation>
    </message>
    <message>
        <source>Rebelote</source>
        <translation>Rebelote</translation>
    </message>
    <message>
        <source>%1 et Belote</source>
        <translation>%1 und Belote</translation>
    </message>
    <message>
        <source>Stöck</source>
        <translation>Stöck</translation>
    </message>
    <message>
        <source>Un de vos contacts
joue en ligne.</source>
        <translation>Einer Ihrer Kontakte
spielt online.</translation>
    </message>
    <message>
        <source>https://fr.wikipedia.org/wiki/Jass</source>
        <translation>https://de.wikipedia.org/wiki/Jass</translation>
    </message>
    <message>
        <source>https://fr.wikipedia.org/wiki/Belote</source>
        <translation>https://de.wikipedia.org/wiki/Belote</translation>
    </message>
    <message>
        <source>Redistribution</source>
        <translation>Neu geben</translation>
    </message>
    <message>
        <source>Coinchée</source>
        <translation>Coinchée</translation>
    </message>
    <message>
        <source>Contrée</source>
        <translation>Kontra</translation>
    </message>
    <message>
        <source>Surcoinchée</source>
        <translation>Surcoinchée</translation>
    </message>
    <message>
        <source>Surcontrée</source>
        <translation>Rekontra</translation>
    </message>
    <message>
        <source>, Coinchée %1</source>
        <translation>, Coinchée %1</translation>
    </message>
    <message>
        <source>, Contrée %1</source>
        <translation>, Kontra %1</translation>
    </message>
    <message>
        <source>, Surcoinchée %1</source>
        <translation>, Surcoinchée %1</translation>
    </message>
    <message>
        <source>, Surcontrée %1</source>
        <translation>, Rekontra %1</translation>
    </message>
    <message>
        <source>, Capot</source>
        <translation>, Kapot</translation>
    </message>
    <message>
        <source>, Capot Coinché</source>
        <translation>, Kapot Coinché</translation>
    </message>
    <message>
        <source>, Capot Contré</source>
        <translation>, Kapot Kontra</translation>
    </message>
    <message>
        <source>, Capot Surcoinché</source>
        <translation>, Kapot Surcoinché</translation>
    </message>
    <message>
        <source>, Capot Surcontré</source>
        <translation>, Kapot Rekontra</translation>
    </message>
    <message>
        <source>Règles du jeu</source>
        <translation>Spielregeln</translation>
    </message>
    <message>
        <source>La Belote se joue à quatre, en deux équipes de deux partenaires assis face à face, avec 32 cartes; chaque joueur en reçoit 8.&lt;br&gt;&lt;br&gt;L&apos;atout est pris sur la carte retournée ou mis aux enchères, selon la variante: l&apos;équipe qui le choisit doit marquer plus de points que l&apos;autre, ou au moins sa mise.&lt;br&gt;&lt;br&gt;Chacun doit jouer la couleur demandée s&apos;il en a, sinon couper avec un atout. La carte la plus forte remporte le pli, et l&apos;atout bat toutes les autres couleurs. Le roi et la dame d&apos;atout rapportent 20 points (&apos;Belote&apos;, &apos;Rebelote&apos;).</source>
        <translation>Belote wird zu viert gespielt, in zwei Teams aus je zwei Partnern, die einander gegenübersitzen, mit 32 Karten; jeder Spieler erhält 8.&lt;br&gt;&lt;br&gt;Je nach Variante wird Trumpf auf der aufgedeckten Karte genommen oder versteigert: das Team, das ihn wählt, muss mehr Punkte machen als das andere oder mindestens sein Gebot.&lt;br&gt;&lt;br&gt;Jeder muss die ausgespielte Farbe bedienen, wenn er kann, sonst mit Trumpf stechen. Die höchste Karte gewinnt den Stich, und Trumpf sticht jede andere Farbe. König und Dame im Trumpf zählen 20 Punkte (&apos;Belote&apos;, &apos;Rebelote&apos;).</translation>
    </message>
    <message>
        <source>Le Jass se joue à quatre, en deux équipes de deux partenaires assis face à face, avec 36 cartes; chaque joueur en reçoit 9.&lt;br&gt;&lt;br&gt;Le joueur qui commence choisit l&apos;atout, ou en laisse le choix à son partenaire (&apos;Chibrer&apos;).&lt;br&gt;&lt;br&gt;Chacun doit jouer la couleur demandée s&apos;il en a, ou peut couper avec un atout. La carte la plus forte remporte le pli, et l&apos;atout bat toutes les autres couleurs. La première équipe qui atteint le nombre de points fixé gagne la partie.</source>
        <translation>Jass wird zu viert gespielt, in zwei Teams aus je zwei Partnern, die einander gegenübersitzen, mit 36 Karten; jeder Spieler erhält 9.&lt;br&gt;&lt;br&gt;Wer beginnt, wählt Trumpf oder überlässt die Wahl dem Partner (&apos;Schieben&apos;).&lt;br&gt;&lt;br&gt;Jeder muss die ausgespielte Farbe bedienen, wenn er kann, oder darf stechen. Die höchste Karte gewinnt den Stich, und Trumpf sticht jede andere Farbe. Das Team, das zuerst die festgelegte Punktzahl erreicht, gewinnt die Partie.</translation>
    </message>
</context>
<context>
    <name>Evenements</name>
    <message>
        <source>Evènements de la table %1</source>
        <translation>Ereignisse von Tisch %1</translation>
    </message>
    <message>
        <source>En attente</source>
        <translation>Wartend</translation>
    </message>
    <message>
        <source>Exécutés</source>
        <translation>Ausgeführt</translation>
    </message>
</context>
<context>
    <name>FormBugQuestionnaire</name>
    <message>
        <source>Décrivez ce que vous avez vu</source>
        <translation>Beschreiben Sie, was Sie gesehen haben</translation>
    </message>
    <message>
        <source>Ce qui aurait dû se passer</source>
        <translation>Was hätte passieren sollen</translation>
    </message>
    <message>
        <source>Le problème se reproduit</source>
        <translation>Das Problem tritt wieder auf</translation>
    </message>
    <message>
        <source>Créer le rapport</source>
        <translation>Bericht erstellen</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Rapport de bug</source>
        <translation>Fehlerbericht</translation>
    </message>
    <message>
        <source>Une image de la table a été prise. Quelques mots nous aident à trouver le problème; le rapport reste sur cet appareil.</source>
        <translation>Ein Bild des Tisches wurde aufgenommen. Ein paar Worte helfen uns, das Problem zu finden; der Bericht bleibt auf diesem Gerät.</translation>
    </message>
    <message>
        <source>Règles du jeu</source>
        <translation>Spielregeln</translation>
    </message>
    <message>
        <source>Affichage</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>Réseau</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>Plantage ou blocage</source>
        <translation>Absturz oder Hänger</translation>
    </message>
    <message>
        <source>Autre</source>
        <translation>Anderes</translation>
    </message>
    <message>
        <source>Genre de problème</source>
        <translation>Art des Problems</translation>
    </message>
    <message>
        <source>Que s&apos;est-il passé?</source>
        <translation>Was ist passiert?</translation>
    </message>
    <message>
        <source>Qu&apos;attendiez-vous?</source>
        <translation>Was haben Sie erwartet?</translation>
    </message>
</context>
<context>
    <name>FormDebugOptions</name>
    <message>
        <source>Changer le mode d&apos;affichage</source>
        <translation>Zeichenmodus wechseln</translation>
    </message>
    <message>
        <source>Tester les messages réseau</source>
        <translation>Netzwerkmeldungen testen</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Schliessen</translation>
    </message>
    <message>
        <source>Options de débogage</source>
        <translation>Debug-Optionen</translation>
    </message>
    <message>
        <source>Si la table s&apos;affiche mal (cartes qui disparaissent, traces), le mode de secours redessine tout à chaque image: plus lent, mais plus sûr. Un second appui revient au mode normal.</source>
        <translation>Wenn der Tisch fehlerhaft gezeichnet wird (verschwindende Karten, Spuren), zeichnet der Ersatzmodus bei jedem Bild alles neu: langsamer, aber sicherer. Ein zweiter Druck kehrt zum normalen Modus zurück.</translation>
    </message>
</context>
<context>
    <name>FormTutorialEnter</name>
    <message>
        <source>Ne plus afficher ce message</source>
        <translation>Diese Meldung nicht mehr anzeigen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Passer</source>
        <translation>Überspringen</translation>
    </message>
    <message>
        <source>Bienvenue</source>
        <translation>Willkommen</translation>
    </message>
    <message>
        <source>Bienvenue à la table!</source>
        <translation>Willkommen am Tisch!</translation>
    </message>
    <message>
        <source>Comment voulez-vous commencer?</source>
        <translation>Wie möchten Sie beginnen?</translation>
    </message>
    <message>
        <source>Je connais le jeu: jouons!</source>
        <translation>Ich kenne das Spiel: los geht&apos;s!</translation>
    </message>
    <message>
        <source>Je débute: montrez-moi les cartes jouables et les conseils</source>
        <translation>Ich bin Anfänger: zeigen Sie mir die spielbaren Karten und Tipps</translation>
    </message>
    <message>
        <source>Expliquez-moi d&apos;abord les règles</source>
        <translation>Erklären Sie mir zuerst die Regeln</translation>
    </message>
</context>
<context>
    <name>GM_Achievements</name>
    <message>
        <source>Classement</source>
        <translation>Rangliste</translation>
    </message>
    <message>
        <source>Titre</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Atteint</source>
        <translation>Erreicht</translation>
    </message>
    <message>
        <source>Le</source>
        <translation>Am</translation>
    </message>
    <message>
        <source>Prochain</source>
        <translation>Nächster</translation>
    </message>
    <message>
        <source>Rafraichir</source>
        <translation>Aktualisieren</translation>
    </message>
</context>
<context>
    <name>GM_Chat</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Envoyer</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Rejoins nous sur Discord: </source>
        <translation>Komm zu uns auf Discord: </translation>
    </message>
    <message>
        <source>&lt;Vous&gt; %1</source>
        <translation>&lt;Sie&gt; %1</translation>
    </message>
</context>
<context>
    <name>GM_ClientSocket</name>
    <message>
        <source>Création du compte...</source>
        <translation>Konto wird erstellt...</translation>
    </message>
    <message>
        <source>Demande du mot de passe...</source>
        <translation>Passwort wird angefordert...</translation>
    </message>
    <message>
        <source>Connexion au serveur du lobby...</source>
        <translation>Verbindung zum Lobby-Server...</translation>
    </message>
    <message>
        <source>Déconnection...</source>
        <translation>Verbindung wird getrennt...</translation>
    </message>
    <message>
        <source>Serveur du lobby indisponible</source>
        <translation>Lobby-Server nicht erreichbar</translation>
    </message>
    <message>
        <source>Impossible de joindre le serveur du lobby.&lt;br&gt;%1</source>
        <translation>Der Lobby-Server ist nicht erreichbar.&lt;br&gt;%1</translation>
    </message>
    <message>
        <source>Erreur du lobby</source>
        <translation>Lobby-Fehler</translation>
    </message>
    <message>
        <source>Le serveur du lobby a envoyé un message invalide; la connexion a été fermée.</source>
        <translation>Der Lobby-Server hat eine ungültige Nachricht gesendet; die Verbindung wurde geschlossen.</translation>
    </message>
    <message>
        <source>Le serveur ne répond pas.</source>
        <translation>Der Server antwortet nicht.</translation>
    </message>
    <message>
        <source>Identification...</source>
        <translation>Anmeldung...</translation>
    </message>
    <message>
        <source>L&apos;adresse email ou le mot de passe est incorrect.</source>
        <translation>Die E-Mail-Adresse oder das Passwort ist falsch.</translation>
    </message>
    <message>
        <source>Connexion refusée</source>
        <translation>Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>Ce compte est bloqué.</source>
        <translation>Dieses Konto ist gesperrt.</translation>
    </message>
    <message>
        <source>Compte bloqué</source>
        <translation>Konto gesperrt</translation>
    </message>
    <message>
        <source>Le compte a été créé. Un courriel de confirmation vous a été envoyé.</source>
        <translation>Das Konto wurde erstellt. Eine Bestätigungs-E-Mail wurde Ihnen gesendet.</translation>
    </message>
    <message>
        <source>Le compte n&apos;a pas pu être créé.</source>
        <translation>Das Konto konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <source>Le mot de passe a été envoyé à votre adresse email.</source>
        <translation>Das Passwort wurde an Ihre E-Mail-Adresse gesendet.</translation>
    </message>
    <message>
        <source>Aucun compte n&apos;existe pour cette adresse email.</source>
        <translation>Für diese E-Mail-Adresse gibt es kein Konto.</translation>
    </message>
    <message>
        <source>Nouveau compte</source>
        <translation>Neues Konto</translation>
    </message>
    <message>
        <source>Mot de passe oublié</source>
        <translation>Passwort vergessen</translation>
    </message>
    <message>
        <source>Le serveur du lobby a fermé la session.</source>
        <translation>Der Lobby-Server hat die Sitzung beendet.</translation>
    </message>
    <message>
        <source>Session terminée</source>
        <translation>Sitzung beendet</translation>
    </message>
    <message>
        <source>Nouveau titre</source>
        <translation>Neuer Titel</translation>
    </message>
    <message>
        <source>Félicitations! Vous avez obtenu le titre &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>Herzlichen Glückwunsch! Sie haben den Titel &lt;b&gt;%1&lt;/b&gt; erhalten.</translation>
    </message>
    <message>
        <source>Félicitations! Vous avez obtenu d&apos;autres titres (%1 de plus). L&apos;onglet Titres les montre tous.</source>
        <translation>Herzlichen Glückwunsch! Sie haben weitere Titel erhalten (%1 weitere). Der Reiter Titel zeigt sie alle.</translation>
    </message>
    <message>
        <source>Pas de réponse du lobby</source>
        <translation>Keine Antwort der Lobby</translation>
    </message>
    <message>
        <source>Le serveur du lobby n&apos;a pas répondu à une demande en %1 secondes; elle a été abandonnée. Vous pouvez réessayer.</source>
        <translation>Der Lobby-Server hat eine Anfrage nicht innerhalb von %1 Sekunden beantwortet; sie wurde aufgegeben. Sie können es erneut versuchen.</translation>
    </message>
    <message>
        <source>Annonce</source>
        <translation>Ankündigung</translation>
    </message>
    <message>
        <source>Serveur du lobby injoignable</source>
        <translation>Lobby-Server nicht erreichbar</translation>
    </message>
    <message>
        <source>La connexion au serveur du lobby a été perdue et n&apos;a pas pu être rétablie (%1 tentatives).</source>
        <translation>Die Verbindung zum Lobby-Server ist abgebrochen und konnte nicht wiederhergestellt werden (%1 Versuche).</translation>
    </message>
    <message>
        <source>Connexion perdue</source>
        <translation>Verbindung verloren</translation>
    </message>
    <message>
        <source>La connexion au serveur du lobby a été perdue.</source>
        <translation>Die Verbindung zum Lobby-Server ist abgebrochen.</translation>
    </message>
</context>
<context>
    <name>GM_Download</name>
    <message>
        <source>Mise à jour</source>
        <translation>Aktualisierung</translation>
    </message>
    <message>
        <source>Erreur lors de l&apos;écriture du fichier &apos;%1&apos;: %2.</source>
        <translation>Fehler beim Schreiben der Datei &apos;%1&apos;: %2.</translation>
    </message>
    <message>
        <source>Téléchargement en cours</source>
        <translation>Wird heruntergeladen</translation>
    </message>
    <message>
        <source>Pourcentage %1%...</source>
        <translation>%1% erledigt...</translation>
    </message>
    <message>
        <source>Echec du téléchargement: %1.</source>
        <translation>Download fehlgeschlagen: %1.</translation>
    </message>
    <message>
        <source>Redirection innatendue</source>
        <translation>Unerwartete Weiterleitung</translation>
    </message>
</context>
<context>
    <name>GM_Exception</name>
    <message>
        <source>Ce fichier est corrompu.</source>
        <translation>Diese Datei ist beschädigt.</translation>
    </message>
    <message>
        <source>Ce fichier n&apos;est pas compatible avec votre version du jeu.</source>
        <translation>Diese Datei ist mit Ihrer Version des Spiels nicht kompatibel.</translation>
    </message>
</context>
<context>
    <name>GM_FriendsList</name>
    <message>
        <source>A confirmer par</source>
        <translation>Zu bestätigen durch</translation>
    </message>
    <message>
        <source>A confirmer</source>
        <translation>Zu bestätigen</translation>
    </message>
    <message>
        <source>Décliné</source>
        <translation>Abgelehnt</translation>
    </message>
    <message>
        <source>Hors Ligne</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>En ligne</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>Occupé</source>
        <translation>Beschäftigt</translation>
    </message>
    <message>
        <source>Liste d&apos;amis</source>
        <translation>Freundesliste</translation>
    </message>
    <message>
        <source>Jouer</source>
        <translation>Spielen</translation>
    </message>
    <message>
        <source>Gérer amis</source>
        <translation>Freunde verwalten</translation>
    </message>
    <message>
        <source>Chercher amis</source>
        <translation>Freunde suchen</translation>
    </message>
    <message>
        <source>Inviter sur serveur</source>
        <translation>Auf Server einladen</translation>
    </message>
    <message>
        <source>Privé</source>
        <translation>Privat</translation>
    </message>
    <message>
        <source>Public</source>
        <translation>Öffentlich</translation>
    </message>
    <message>
        <source>Confirmer</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>Enlever</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Sel.</source>
        <translation>Ausw.</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Id(Hidden)</source>
        <translation>Id(Hidden)</translation>
    </message>
    <message>
        <source>Pseudo</source>
        <translation>Spitzname</translation>
    </message>
    <message>
        <source>Data(hidden)</source>
        <translation>Data(hidden)</translation>
    </message>
    <message>
        <source>&lt;Liste vide&gt;</source>
        <translation>&lt;Leere Liste&gt;</translation>
    </message>
    <message>
        <source>Trop de joueurs</source>
        <translation>Zu viele Spieler</translation>
    </message>
    <message>
        <source>Il n&apos;est pas possible d&apos;inviter plus de 4 joueurs à la fois. Merci de choisir moins de joueurs.</source>
        <translation>Es können höchstens 4 Spieler auf einmal eingeladen werden. Bitte wählen Sie weniger Spieler.</translation>
    </message>
    <message>
        <source>&lt;Chargement en cours ...&gt;</source>
        <translation>&lt;Wird geladen ...&gt;</translation>
    </message>
    <message>
        <source>Connection en cours...</source>
        <translation>Verbindung wird hergestellt...</translation>
    </message>
</context>
<context>
    <name>GM_Login</name>
    <message>
        <source>Login</source>
        <translation>Anmeldung</translation>
    </message>
    <message>
        <source>Connection automatique</source>
        <translation>Automatisch verbinden</translation>
    </message>
    <message>
        <source>J&apos;ai déjà un compte</source>
        <translation>Ich habe schon ein Konto</translation>
    </message>
    <message>
        <source>Obtenir un compte (gratuit et immédiat)</source>
        <translation>Konto erstellen (kostenlos und sofort)</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Pseudo (nom qui apparaitra aux autres joueurs, min 4 char.)</source>
        <translation>Spitzname (den die anderen Spieler sehen, mind. 4 Zeichen)</translation>
    </message>
    <message>
        <source>Mot de passe (min. 5 char.)</source>
        <translation>Passwort (mind. 5 Zeichen)</translation>
    </message>
    <message>
        <source>Confirmer le mot de passe</source>
        <translation>Passwort bestätigen</translation>
    </message>
    <message>
        <source>Envoyer</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Vérifiez que les informations ci-dessus sont bien correctes, puis pressez sur &quot;Envoyer&quot; pour envoyer la requète.

Vous recevrez ensuite un courriel, qui contiendra un lien pour confirmation.

Notez que:
-L&apos;auteur ne revends pas votre adresse email et respecte les lois sur la confidentialité et la vie privée.
-La création de l&apos;accompte implique une inscription à au moins une occurence de la newsletter, qui peut être ensuite désactivée conformément à la législation.
-Un usage abusif peut-être un motif de ban définitif des parties en ligne.
-Bien que les prestations en ligne soient maintenus au meilleur niveau possible, il n&apos;y a aucune garantie de service.
              </source>
        <translation>Prüfen Sie, ob die obigen Angaben stimmen, und drücken Sie dann auf &quot;Senden&quot;, um die Anfrage zu senden.

Sie erhalten danach eine E-Mail mit einem Bestätigungslink.

Bitte beachten Sie:
-Der Autor verkauft Ihre E-Mail-Adresse nicht und hält die Gesetze zu Vertraulichkeit und Datenschutz ein.
-Mit dem Konto abonnieren Sie mindestens eine Ausgabe des Newsletters, die Sie danach gemäss Gesetz abbestellen können.
-Missbrauch kann zum dauerhaften Ausschluss von Online-Spielen führen.
-Obwohl die Online-Dienste bestmöglich betrieben werden, gibt es keine Dienstgarantie.</translation>
    </message>
    <message>
        <source>Mot de passe oublié (envoi par email)</source>
        <translation>Passwort vergessen (per E-Mail senden)</translation>
    </message>
    <message>
        <source>Connecter</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Connectez vous pour pouvoir jouer avec vos amis ou sauver vos statistiques. 

Garanti sans supplément et sans aucun risque.</source>
        <translation>Melden Sie sich an, um mit Ihren Freunden zu spielen oder Ihre Statistiken zu speichern.

Ohne Zusatzkosten und ohne Risiko.</translation>
    </message>
</context>
<context>
    <name>GM_NativeDiscord</name>
    <message>
        <source>Points: %1, Adv: %2%3</source>
        <translation>Punkte: %1, Gegner: %2%3</translation>
    </message>
</context>
<context>
    <name>GM_OnlineSettings</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Changer mon mot de passe</source>
        <translation>Mein Passwort ändern</translation>
    </message>
    <message>
        <source>Supprimer mon compte</source>
        <translation>Mein Konto löschen</translation>
    </message>
    <message>
        <source>Voir mes données</source>
        <translation>Meine Daten ansehen</translation>
    </message>
    <message>
        <source>Succès</source>
        <translation>Erfolg</translation>
    </message>
    <message>
        <source>Votre mot de passe a été changé.</source>
        <translation>Ihr Passwort wurde geändert.</translation>
    </message>
    <message>
        <source>Echec</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>Le changement a échoué car l&apos;ancien mot de passe est incorrect.</source>
        <translation>Die Änderung ist fehlgeschlagen, weil das alte Passwort falsch ist.</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Bestätigung</translation>
    </message>
    <message>
        <source>Après cette confirmation, vous recevrez un courriel contenant vos données. Pour éviter les abus, cette opération n&apos;est autorisée qu&apos;une fois par semaine.

Souhaitez-vous continuer?</source>
        <translation>Nach dieser Bestätigung erhalten Sie eine E-Mail mit Ihren Daten. Um Missbrauch zu vermeiden, ist dies nur einmal pro Woche erlaubt.

Möchten Sie fortfahren?</translation>
    </message>
    <message>
        <source>Suppression du compte</source>
        <translation>Konto löschen</translation>
    </message>
    <message>
        <source>Après cette confirmation, vous recevrez un courriel avec un lien à cliquer pour définitivement supprimer vos données. Cette opération est irréversible. De plus, pour éviter les abus, il n&apos;est plus possible de s&apos;inscrire avec ce courriel ensuite, pour une durée de deux mois.

Souhaitez-vous vraiment effacer votre accompte, contenant vos amis, succès, résultats, etc.?</source>
        <translation>Nach dieser Bestätigung erhalten Sie eine E-Mail mit einem Link, mit dem Sie Ihre Daten endgültig löschen. Dies kann nicht rückgängig gemacht werden. Um Missbrauch zu vermeiden, kann sich mit dieser E-Mail-Adresse zudem zwei Monate lang niemand neu anmelden.

Möchten Sie Ihr Konto mit Ihren Freunden, Erfolgen, Ergebnissen usw. wirklich löschen?</translation>
    </message>
    <message>
        <source>La demande a été exécutée. Merci de vérifier votre courriel. 

Si vous n&apos;avez rien reçu après un certain temps, n&apos;oubliez pas de vérifier votre boite spam.</source>
        <translation>Die Anfrage wurde ausgeführt. Bitte prüfen Sie Ihre E-Mails. 

Wenn nach einer Weile nichts angekommen ist, sehen Sie bitte auch im Spam-Ordner nach.</translation>
    </message>
    <message>
        <source>La demande ne peut pas être traitée car le serveur de courriel rencontre un problème actuellement. Merci de réessayer plus tard. Si le problème persiste, n&apos;hésitez pas à contacter notre support.</source>
        <translation>Die Anfrage kann nicht bearbeitet werden, weil der Mailserver zurzeit ein Problem hat. Bitte versuchen Sie es später erneut. Wenn das Problem bleibt, wenden Sie sich an unseren Support.</translation>
    </message>
    <message>
        <source>La demande ne peut pas être traitée car il y a déjà eu une requête récemment. Si vous attendiez un résultat qui n&apos;est pas arrivé, il se peut qu&apos;il soit dans votre boite spam. Sinon, merci de réessayer d&apos;ici quelque temps.</source>
        <translation>Die Anfrage kann nicht bearbeitet werden, weil kürzlich schon eine Anfrage gestellt wurde. Wenn ein erwartetes Ergebnis nicht angekommen ist, liegt es vielleicht im Spam-Ordner. Sonst versuchen Sie es bitte in einiger Zeit erneut.</translation>
    </message>
    <message>
        <source>La demande ne peut pas être traitée car il y a déjà une demande en cours. Si vous attendiez un résultat qui n&apos;est pas arrivé, il se peut qu&apos;il soit dans votre boite spam. Sinon, merci de réessayer plus tard.</source>
        <translation>Die Anfrage kann nicht bearbeitet werden, weil bereits eine Anfrage läuft. Wenn ein erwartetes Ergebnis nicht angekommen ist, liegt es vielleicht im Spam-Ordner. Sonst versuchen Sie es bitte später erneut.</translation>
    </message>
</context>
<context>
    <name>GM_PassChange</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Ancien mot de passe</source>
        <translation>Altes Passwort</translation>
    </message>
    <message>
        <source>Nouveau mot de passe (min. 5 char.)</source>
        <translation>Neues Passwort (min. 5 Zeichen)</translation>
    </message>
    <message>
        <source>Envoyer</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>GM_Progress</name>
    <message>
        <source>Connection en cours</source>
        <translation>Verbindung wird hergestellt</translation>
    </message>
    <message>
        <source>&lt;Progress&gt;</source>
        <translation>&lt;Fortschritt&gt;</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>GM_Scores</name>
    <message>
        <source>Classement</source>
        <translation>Rangliste</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Platz</translation>
    </message>
    <message>
        <source>Pseudo</source>
        <translation>Spitzname</translation>
    </message>
    <message>
        <source>Jouées</source>
        <translation>Gespielt</translation>
    </message>
    <message>
        <source>Gagnées</source>
        <translation>Gewonnen</translation>
    </message>
    <message>
        <source>Total Points</source>
        <translation>Punkte total</translation>
    </message>
    <message>
        <source>Constitué des parties de moins de 6 mois.</source>
        <translation>Aus den Spielen der letzten 6 Monate.</translation>
    </message>
    <message>
        <source>Classement complet en ligne</source>
        <translation>Vollständige Rangliste online</translation>
    </message>
    <message>
        <source>SQL</source>
        <translation>SQL</translation>
    </message>
    <message>
        <source>Execute</source>
        <translation>Ausführen</translation>
    </message>
</context>
<context>
    <name>GM_SearchFriends</name>
    <message>
        <source>Pseudo:</source>
        <translation>Spitzname:</translation>
    </message>
    <message>
        <source>Chercher des amis</source>
        <translation>Freunde suchen</translation>
    </message>
    <message>
        <source>Importer Carnet</source>
        <translation>Kontakte importieren</translation>
    </message>
    <message>
        <source>Rechercher</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Ajouter</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Pseudo</source>
        <translation>Spitzname</translation>
    </message>
    <message>
        <source>Id</source>
        <translation>Id</translation>
    </message>
    <message>
        <source>&lt;Recherche en cours...&gt;</source>
        <translation>&lt;Suche läuft...&gt;</translation>
    </message>
    <message>
        <source>&lt;Aucun nouveau résultat trouvé&gt;</source>
        <translation>&lt;Keine neuen Ergebnisse&gt;</translation>
    </message>
    <message>
        <source>&lt;Accès aux contacts refusé&gt;</source>
        <translation>&lt;Zugriff auf Kontakte verweigert&gt;</translation>
    </message>
    <message>
        <source>&lt;Liste vide&gt;</source>
        <translation>&lt;Leere Liste&gt;</translation>
    </message>
    <message>
        <source>Notification</source>
        <translation>Mitteilung</translation>
    </message>
    <message>
        <source>Votre liste de contacts a changé depuis votre dernière connection.

Souhaitez-vous importer vos nouveaux contacts maintenant?</source>
        <translation>Ihre Kontaktliste hat sich seit Ihrer letzten Verbindung geändert.

Möchten Sie Ihre neuen Kontakte jetzt importieren?</translation>
    </message>
    <message>
        <source>&lt;Liste Vide&gt;</source>
        <translation>&lt;Leere Liste&gt;</translation>
    </message>
    <message>
        <source>Permissions Manquantes</source>
        <translation>Fehlende Berechtigungen</translation>
    </message>
    <message>
        <source>Les permissions &apos;CONTACTS&apos; n&apos;ont pas été accordées. L&apos;importation de vos amis devra se faire manuellement.</source>
        <translation>Die Berechtigung &apos;KONTAKTE&apos; wurde nicht erteilt. Ihre Freunde müssen von Hand hinzugefügt werden.</translation>
    </message>
    <message>
        <source>Pour régler ce problème, accordez les permissions &apos;CONTACTS&apos; voulues dans &apos;Paramètres\Applications&apos; de votre téléphone, ou réinstallez l&apos;application.</source>
        <translation>Erteilen Sie dazu die Berechtigung &apos;KONTAKTE&apos; unter &apos;Einstellungen\Apps&apos; Ihres Telefons, oder installieren Sie die Anwendung neu.</translation>
    </message>
</context>
<context>
    <name>GM_ServerList</name>
    <message>
        <source>Ce serveur n&apos;est plus disponible.</source>
        <translation>Dieser Server ist nicht mehr verfügbar.</translation>
    </message>
    <message>
        <source>Liste des serveurs</source>
        <translation>Serverliste</translation>
    </message>
    <message>
        <source>Déconnecter</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Retour</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Serveur indisponible</source>
        <translation>Server nicht verfügbar</translation>
    </message>
    <message>
        <source>Le mot de passe est invalide ou alors ce serveur n&apos;est plus disponible.</source>
        <translation>Das Passwort ist falsch, oder dieser Server ist nicht mehr verfügbar.</translation>
    </message>
    <message>
        <source>Serveur &apos;%1&apos;</source>
        <translation>Server &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Tournoi &apos;%1&apos;</source>
        <translation>Turnier &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Serveur privé</source>
        <translation>Privater Server</translation>
    </message>
    <message>
        <source>Héberge un serveur privé</source>
        <translation>Betreibt einen privaten Server</translation>
    </message>
    <message>
        <source>Server Message</source>
        <translation>Servermeldung</translation>
    </message>
    <message>
        <source>Vous devez mettre à jour votre application pour vous connecter.

Souhaitez-vous télécharger la nouvelle version maintenant?</source>
        <translation>Sie müssen Ihre Anwendung aktualisieren, um sich zu verbinden.

Möchten Sie die neue Version jetzt herunterladen?</translation>
    </message>
    <message>
        <source>Mise à jour</source>
        <translation>Aktualisierung</translation>
    </message>
    <message>
        <source>Erreur lors de l&apos;écriture du fichier &apos;%1&apos;: %2.</source>
        <translation>Fehler beim Schreiben der Datei &apos;%1&apos;: %2.</translation>
    </message>
    <message>
        <source>aucun dossier temporaire n&apos;est accessible</source>
        <translation>kein temporärer Ordner ist verfügbar</translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Le fichier requis n&apos;a pas pu être ouvert automatiquement. Merci de vous rendre sur &apos;</source>
        <translation>Die Datei konnte nicht automatisch geöffnet werden. Bitte gehen Sie auf &apos;</translation>
    </message>
    <message>
        <source>&apos; à la section &apos;Télécharger&apos; et d&apos;installer la nouvelle version depuis cet endroit.</source>
        <translation>&apos; in den Bereich &apos;Download&apos; und installieren Sie die neue Version von dort.</translation>
    </message>
    <message>
        <source>Amis</source>
        <translation>Freunde</translation>
    </message>
    <message>
        <source>Serv.</source>
        <translation>Serv.</translation>
    </message>
    <message>
        <source>Tourn.</source>
        <translation>Turn.</translation>
    </message>
    <message>
        <source>Class.</source>
        <translation>Rangl.</translation>
    </message>
    <message>
        <source>Stat.</source>
        <translation>Stat.</translation>
    </message>
    <message>
        <source>Titres</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>Opt.</source>
        <translation>Opt.</translation>
    </message>
    <message>
        <source>Connexion au lobby rétablie.</source>
        <translation>Lobby-Verbindung wiederhergestellt.</translation>
    </message>
    <message>
        <source>Connexion au lobby perdue.</source>
        <translation>Lobby-Verbindung verloren.</translation>
    </message>
    <message>
        <source>Connexion au lobby perdue: nouvelle tentative %1 sur %2 dans %3 s.</source>
        <translation>Lobby-Verbindung verloren: Versuch %1 von %2 in %3 s.</translation>
    </message>
</context>
<context>
    <name>GM_ServerPass</name>
    <message>
        <source>Mot de passe requis</source>
        <translation>Passwort erforderlich</translation>
    </message>
    <message>
        <source>Entrer le mot de passe requis:</source>
        <translation>Geben Sie das Passwort ein:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Sel.</source>
        <translation>Ausw.</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Id(Hidden)</source>
        <translation>Id(Hidden)</translation>
    </message>
    <message>
        <source>Pseudo</source>
        <translation>Spitzname</translation>
    </message>
    <message>
        <source>Data(hidden)</source>
        <translation>Data(hidden)</translation>
    </message>
    <message>
        <source>Coéquipier (facultatif)</source>
        <translation>Partner (freiwillig)</translation>
    </message>
    <message>
        <source>Coéquipier (obligatoire)</source>
        <translation>Partner (erforderlich)</translation>
    </message>
    <message>
        <source>Connection en cours...</source>
        <translation>Verbindung wird hergestellt...</translation>
    </message>
    <message>
        <source>Hors Ligne</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>En ligne</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>Occupé</source>
        <translation>Beschäftigt</translation>
    </message>
    <message>
        <source>&lt;Liste vide&gt;</source>
        <translation>&lt;Leere Liste&gt;</translation>
    </message>
</context>
<context>
    <name>GM_Stats</name>
    <message>
        <source>Rafraichir</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Classement</source>
        <translation>Rangliste</translation>
    </message>
    <message>
        <source>Tot (Moy, Max)</source>
        <translation>Tot (Mittel, Max)</translation>
    </message>
    <message>
        <source>Vous</source>
        <translation>Sie</translation>
    </message>
    <message>
        <source>Global</source>
        <translation>Gesamt</translation>
    </message>
</context>
<context>
    <name>GM_TablesList</name>
    <message>
        <source>Liste des tables</source>
        <translation>Tischliste</translation>
    </message>
    <message>
        <source>Bienvenue dans la section Multijoueurs.

C&apos;est gratuit, vous pouvez joindre et quitter une partie à tout moment. Toutefois, pour éviter les abus, une pénalité est appliquée sur votre score en ligne, si vous ne complétez pas au moins une partie entière.</source>
        <translation>Willkommen im Mehrspielerbereich.

Es ist kostenlos, und Sie können jederzeit einem Spiel beitreten oder es verlassen. Um Missbrauch zu vermeiden, wird jedoch Ihr Online-Punktestand bestraft, wenn Sie nicht mindestens ein ganzes Spiel beenden.</translation>
    </message>
    <message>
        <source>Tables</source>
        <translation>Tische</translation>
    </message>
    <message>
        <source>Public</source>
        <translation>Öffentlich</translation>
    </message>
    <message>
        <source>Hôte</source>
        <translation>Gastgeber</translation>
    </message>
    <message>
        <source>Id</source>
        <translation>Id</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Plätze</translation>
    </message>
    <message>
        <source>Rejoindre</source>
        <translation>Beitreten</translation>
    </message>
    <message>
        <source>Rafraichir</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Montrer les serveurs avec d&apos;autres règles</source>
        <translation>Server mit anderen Regeln zeigen</translation>
    </message>
    <message>
        <source>Connection en cours...</source>
        <translation>Verbindung wird hergestellt...</translation>
    </message>
    <message>
        <source>%1 places</source>
        <translation>%1 Plätze</translation>
    </message>
    <message>
        <source>Joueurs en ligne: %1</source>
        <translation>Spieler online: %1</translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Liste des serveurs invalide ou corrompue.</source>
        <translation>Serverliste ungültig oder beschädigt.</translation>
    </message>
    <message>
        <source>Tables Libres: %1<byte value="xd"/>
Tables Occupées: %2</source>
        <translation>Freie Tische: %1<byte value="xd"/>
Besetzte Tische: %2</translation>
    </message>
</context>
<context>
    <name>GM_TournamentClient</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Actuels:</source>
        <translation>Aktuell:</translation>
    </message>
    <message>
        <source>Passés:</source>
        <translation>Vergangen:</translation>
    </message>
    <message>
        <source>Jouer</source>
        <translation>Spielen</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Verlassen</translation>
    </message>
    <message>
        <source>S&apos;inscrire</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <source>Montrer les serveurs avec d&apos;autres règles</source>
        <translation>Server mit anderen Regeln zeigen</translation>
    </message>
    <message>
        <source>Tournoi</source>
        <translation>Turnier</translation>
    </message>
    <message>
        <source>Plac.</source>
        <translation>Plätze</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Part.</source>
        <translation>Teiln.</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>EtatRaw</source>
        <translation>EtatRaw</translation>
    </message>
    <message>
        <source>Etat</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>isPasswordProtected</source>
        <translation>isPasswordProtected</translation>
    </message>
    <message>
        <source>Règles</source>
        <translation>Regeln</translation>
    </message>
    <message>
        <source>Résultats</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>Rule</source>
        <translation>Rule</translation>
    </message>
    <message>
        <source>En cours</source>
        <translation>Läuft</translation>
    </message>
    <message>
        <source>Planifié</source>
        <translation>Geplant</translation>
    </message>
    <message>
        <source>Terminé</source>
        <translation>Beendet</translation>
    </message>
    <message>
        <source>Tournoi en cours</source>
        <translation>Turnier läuft</translation>
    </message>
    <message>
        <source>Le tournoi &apos;%1&apos; a commencé. Souhaitez-vous joindre la partie?</source>
        <translation>Das Turnier &apos;%1&apos; hat begonnen. Möchten Sie dem Spiel beitreten?</translation>
    </message>
    <message>
        <source>Echec</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>La partie n&apos;est plus disponible, ou le mot de passe est invalide.</source>
        <translation>Das Spiel ist nicht mehr verfügbar, oder das Passwort ist falsch.</translation>
    </message>
    <message>
        <source>La partie n&apos;est plus disponible, ou le mot de passe est invalide ou le coéquipier n&apos;est pas disponible.</source>
        <translation>Das Spiel ist nicht mehr verfügbar, das Passwort ist falsch oder der Partner ist nicht verfügbar.</translation>
    </message>
    <message>
        <source>Commande Inconnue</source>
        <translation>Unbekannter Befehl</translation>
    </message>
    <message>
        <source>La commande &apos;%1&apos; est inconnue</source>
        <translation>Der Befehl &apos;%1&apos; ist unbekannt</translation>
    </message>
    <message>
        <source>Tournoi Inconnu</source>
        <translation>Unbekanntes Turnier</translation>
    </message>
    <message>
        <source>Le tournoi avec l&apos;id &apos;%1&apos; n&apos;a pas été trouvé</source>
        <translation>Das Turnier mit der Id &apos;%1&apos; wurde nicht gefunden</translation>
    </message>
</context>
<context>
    <name>JoueurHumain</name>
    <message>
        <source>Analyse &apos;</source>
        <translation>Analyse &apos;</translation>
    </message>
    <message>
        <source>Le joueur est remplacé par l&apos;ordinateur, car il n&apos;a pas joué dans les délais impartis.</source>
        <translation>Der Spieler wird durch den Computer ersetzt, weil er nicht rechtzeitig gespielt hat.</translation>
    </message>
    <message>
        <source>Temps écoulé.
(Encore %1 fois avant exclusion).</source>
        <translation>Zeit abgelaufen.
(Noch %1 Mal bis zum Ausschluss).</translation>
    </message>
    <message>
        <source>L&apos;ordinateur a joué à la place du joueur (avec pénalité), car le délai était écoulé.</source>
        <translation>Der Computer hat für den Spieler gespielt (mit Strafe), weil die Zeit abgelaufen war.</translation>
    </message>
    <message>
        <source>Temps restant %1[s] avant pénalité.</source>
        <translation>Noch %1[s] bis zur Strafe.</translation>
    </message>
    <message>
        <source>Dedans: %1, </source>
        <translation>Gescheitert: %1, </translation>
    </message>
    <message>
        <source>Capot(s)</source>
        <translation>Kapot(s)</translation>
    </message>
    <message>
        <source>Match(s)</source>
        <translation>Match(s)</translation>
    </message>
    <message>
        <source>Annonces: %1[pts], Plis: %2[pts], %3: %4, %5Total: %6&lt;br&gt;&lt;br&gt;</source>
        <translation>Weisen: %1[Pkt], Stiche: %2[Pkt], %3: %4, %5Total: %6&lt;br&gt;&lt;br&gt;</translation>
    </message>
    <message>
        <source>Annonces: %1[pts], Plis: %2[pts], %3: %4, %5Total: %6&lt;br&gt;</source>
        <translation>Weisen: %1[Pkt], Stiche: %2[Pkt], %3: %4, %5Total: %6&lt;br&gt;</translation>
    </message>
    <message>
        <source>Vous êtes ex-aequo!</source>
        <translation>Unentschieden!</translation>
    </message>
    <message>
        <source>Bien joué. Vous avez gagné!</source>
        <translation>Gut gespielt. Sie haben gewonnen!</translation>
    </message>
    <message>
        <source>Désolé. Vous avez perdu!</source>
        <translation>Schade. Sie haben verloren!</translation>
    </message>
    <message>
        <source>Statistiques pour votre équipe:&lt;br&gt;</source>
        <translation>Statistik Ihres Teams:&lt;br&gt;</translation>
    </message>
    <message>
        <source>Statistiques pour vous (partie partielle):&lt;br&gt;</source>
        <translation>Ihre Statistik (Teil des Spiels):&lt;br&gt;</translation>
    </message>
    <message>
        <source>Equipe adverse:&lt;br&gt;</source>
        <translation>Gegnerisches Team:&lt;br&gt;</translation>
    </message>
    <message>
        <source>Vous êtes &apos;rubicon&apos;, car vous avez marqué moins de la moitié des %1 points.</source>
        <translation>Sie sind &apos;Rubikon&apos;: Sie haben weniger als die Hälfte der %1 Punkte erzielt.</translation>
    </message>
    <message>
        <source>Vos adversaires sont &apos;rubicon&apos;, car ils ont marqué moins de la moitié des %1 points.</source>
        <translation>Ihre Gegner sind &apos;Rubikon&apos;: sie haben weniger als die Hälfte der %1 Punkte erzielt.</translation>
    </message>
    <message>
        <source>Astuce: Pour sauver ces statistiques en ligne et obtenir des &apos;Titres&apos;, connectez-vous sur le serveur (Menu &apos;Jouer en ligne&apos;) avant la fin de la partie.</source>
        <translation>Tipp: Um diese Statistik online zu speichern und &apos;Titel&apos; zu erhalten, melden Sie sich vor Spielende beim Server an (Menü &apos;Online spielen&apos;).</translation>
    </message>
    <message>
        <source>Fin de partie.</source>
        <translation>Spielende.</translation>
    </message>
    <message>
        <source>Voulez vous faire une autre partie en ligne?</source>
        <translation>Möchten Sie noch ein Online-Spiel spielen?</translation>
    </message>
</context>
<context>
    <name>MessageBoxGl</name>
    <message>
        <source>Aide</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Règles plus détaillées: </source>
        <translation>Ausführlichere Regeln: </translation>
    </message>
    <message>
        <source>Oui</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>Non</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>OptionsPartie</name>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Partie</source>
        <translation>Spiel</translation>
    </message>
    <message>
        <source>Règles</source>
        <translation>Regeln</translation>
    </message>
    <message>
        <source>Ordinateurs</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>Affichage</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>Saisons</source>
        <translation>Jahreszeiten</translation>
    </message>
    <message>
        <source>Type de jeu</source>
        <translation>Spielart</translation>
    </message>
    <message>
        <source>Personalisé</source>
        <translation>Eigene Regeln</translation>
    </message>
    <message>
        <source>Type de partie</source>
        <translation>Partieart</translation>
    </message>
    <message>
        <source>Standart</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Concours</source>
        <translation>Wettbewerb</translation>
    </message>
    <message>
        <source>Coiffeur</source>
        <translation>Coiffeur</translation>
    </message>
    <message>
        <source>Tournoi</source>
        <translation>Turnier</translation>
    </message>
    <message>
        <source>Règles du type Personalisé</source>
        <translation>Regeln der eigenen Spielart</translation>
    </message>
    <message>
        <source>Jass 9 Cartes</source>
        <translation>Jass 9 Karten</translation>
    </message>
    <message>
        <source>Belote 8 Cartes</source>
        <translation>Belote 8 Karten</translation>
    </message>
    <message>
        <source>Contrat</source>
        <translation>Kontrakt</translation>
    </message>
    <message>
        <source>Chibre</source>
        <translation>Schieben</translation>
    </message>
    <message>
        <source>Fixe</source>
        <translation>Fest</translation>
    </message>
    <message>
        <source>Coinché</source>
        <translation>Coinché</translation>
    </message>
    <message>
        <source>Contré</source>
        <translation>Contré</translation>
    </message>
    <message>
        <source>Vache</source>
        <translation>Vache</translation>
    </message>
    <message>
        <source>Annonces</source>
        <translation>Weisen</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Manuelles</source>
        <translation>Manuell</translation>
    </message>
    <message>
        <source>Désactivées</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Roi et Dame</source>
        <translation>König und Dame</translation>
    </message>
    <message>
        <source>Désactivé</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Stöck</source>
        <translation>Stöck</translation>
    </message>
    <message>
        <source>Rebelote</source>
        <translation>Rebelote</translation>
    </message>
    <message>
        <source>Distribution</source>
        <translation>Verteilen</translation>
    </message>
    <message>
        <source>Aléatoire</source>
        <translation>Zufällig</translation>
    </message>
    <message>
        <source>Coupe Donne Préc.</source>
        <translation>Vorige Runde abheben</translation>
    </message>
    <message>
        <source>Décompte points</source>
        <translation>Punktezählung</translation>
    </message>
    <message>
        <source>Faits</source>
        <translation>Gemacht</translation>
    </message>
    <message>
        <source>Annoncés</source>
        <translation>Angesagt</translation>
    </message>
    <message>
        <source>Faits + Annoncés</source>
        <translation>Gemacht + angesagt</translation>
    </message>
    <message>
        <source>Aucun</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Arrondi</source>
        <translation>Rundung</translation>
    </message>
    <message>
        <source>Montants</source>
        <translation>Beträge</translation>
    </message>
    <message>
        <source>Les 7 Annule Donne</source>
        <translation>Die 7er annullieren die Runde</translation>
    </message>
    <message>
        <source>Les 8 Annule Annonces</source>
        <translation>Die 8er annullieren die Weisen</translation>
    </message>
    <message>
        <source>Atouts permis et multiplicateurs</source>
        <translation>Erlaubte Trümpfe und Multiplikatoren</translation>
    </message>
    <message>
        <source>Adversaires</source>
        <translation>Gegner</translation>
    </message>
    <message>
        <source>Partenaire</source>
        <translation>Partner</translation>
    </message>
    <message>
        <source>Plus l&apos;ordinateur simule de donnes, plus il joue fort, et plus il réfléchit longtemps.</source>
        <translation>Je mehr Runden der Computer simuliert, desto stärker spielt er und desto länger denkt er nach.</translation>
    </message>
    <message>
        <source>Noms des joueurs</source>
        <translation>Spielernamen</translation>
    </message>
    <message>
        <source>Adversaire 1</source>
        <translation>Gegner 1</translation>
    </message>
    <message>
        <source>Adversaire 2</source>
        <translation>Gegner 2</translation>
    </message>
    <message>
        <source>Aide sur les cartes</source>
        <translation>Kartenhilfe</translation>
    </message>
    <message>
        <source>Scores animés</source>
        <translation>Animierte Punkte</translation>
    </message>
    <message>
        <source>Utiliser l&apos;espace à droite</source>
        <translation>Platz rechts nutzen</translation>
    </message>
    <message>
        <source>Cartes colorées</source>
        <translation>Farbige Karten</translation>
    </message>
    <message>
        <source>Noms aléatoires des ordinateurs</source>
        <translation>Zufällige Computernamen</translation>
    </message>
    <message>
        <source>Donner dans l&apos;autre sens</source>
        <translation>In die andere Richtung verteilen</translation>
    </message>
    <message>
        <source>Sons</source>
        <translation>Töne</translation>
    </message>
    <message>
        <source>Vibrations</source>
        <translation>Vibration</translation>
    </message>
    <message>
        <source>Fonctions de débogage</source>
        <translation>Debug-Funktionen</translation>
    </message>
    <message>
        <source>Ramassage automatique après</source>
        <translation>Stich automatisch einziehen nach</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Taille du texte</source>
        <translation>Textgrösse</translation>
    </message>
    <message>
        <source>Qualité graphique</source>
        <translation>Grafikqualität</translation>
    </message>
    <message>
        <source>Basse</source>
        <translation>Niedrig</translation>
    </message>
    <message>
        <source>Moyenne</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Haute</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Ultra</source>
        <translation>Ultra</translation>
    </message>
    <message>
        <source>Cartes</source>
        <translation>Karten</translation>
    </message>
    <message>
        <source>Romandes</source>
        <translation>Welsche</translation>
    </message>
    <message>
        <source>Suisses allemandes</source>
        <translation>Deutschschweizer</translation>
    </message>
    <message>
        <source>Internationales</source>
        <translation>International</translation>
    </message>
    <message>
        <source>Napolitaines</source>
        <translation>Neapolitanisch</translation>
    </message>
    <message>
        <source>Fun</source>
        <translation>Fun</translation>
    </message>
    <message>
        <source>Thème</source>
        <translation>Thema</translation>
    </message>
    <message>
        <source>Bois</source>
        <translation>Holz</translation>
    </message>
    <message>
        <source>Alien</source>
        <translation>Alien</translation>
    </message>
    <message>
        <source>Course</source>
        <translation>Rennen</translation>
    </message>
    <message>
        <source>Bonbon</source>
        <translation>Bonbon</translation>
    </message>
    <message>
        <source>Nature</source>
        <translation>Natur</translation>
    </message>
    <message>
        <source>Langue</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Automatique</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Hiver</source>
        <translation>Winter</translation>
    </message>
    <message>
        <source>Printemps</source>
        <translation>Frühling</translation>
    </message>
    <message>
        <source>Eté</source>
        <translation>Sommer</translation>
    </message>
    <message>
        <source>Automne</source>
        <translation>Herbst</translation>
    </message>
    <message>
        <source>Du</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>Au</source>
        <translation>Bis</translation>
    </message>
    <message>
        <source>Pendant une période cochée, la table se décore de la saison. Une période peut passer le Nouvel An, comme l&apos;hiver.</source>
        <translation>Während eines angekreuzten Zeitraums wird der Tisch der Jahreszeit entsprechend geschmückt. Ein Zeitraum darf über Neujahr gehen, wie der Winter.</translation>
    </message>
    <message>
        <source>type de jeu</source>
        <translation>Spielart</translation>
    </message>
    <message>
        <source>règles</source>
        <translation>Regeln</translation>
    </message>
    <message>
        <source>contrat</source>
        <translation>Kontrakt</translation>
    </message>
    <message>
        <source>annonces</source>
        <translation>Weisen</translation>
    </message>
    <message>
        <source>roi et dame</source>
        <translation>König und Dame</translation>
    </message>
    <message>
        <source>distribution</source>
        <translation>Verteilen</translation>
    </message>
    <message>
        <source>décompte</source>
        <translation>Zählung</translation>
    </message>
    <message>
        <source>points</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>montant du contrat</source>
        <translation>Kontraktbetrag</translation>
    </message>
    <message>
        <source>arrondi</source>
        <translation>Rundung</translation>
    </message>
    <message>
        <source>nom %1</source>
        <translation>Name %1</translation>
    </message>
    <message>
        <source>qualité</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>cartes</source>
        <translation>Karten</translation>
    </message>
    <message>
        <source>thème</source>
        <translation>Thema</translation>
    </message>
    <message>
        <source>langue</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>délai de ramassage</source>
        <translation>Einzugsverzögerung</translation>
    </message>
    <message>
        <source>taille du texte</source>
        <translation>Textgrösse</translation>
    </message>
    <message>
        <source>Valeurs hors limites corrigées: %1.</source>
        <translation>Werte ausserhalb des Bereichs korrigiert: %1.</translation>
    </message>
    <message>
        <source>Ce type de jeu ne se joue pas en tournoi: la partie standard est choisie.</source>
        <translation>Dieser Spieltyp wird nicht als Turnier gespielt: das Standardspiel ist gewählt.</translation>
    </message>
    <message>
        <source>La table impose tour à tour chaque atout permis; la partie se termine quand il n&apos;en reste plus (ou plus tôt, aux points du type Personalisé).</source>
        <translation>Der Tisch gibt jeden erlaubten Trumpf der Reihe nach vor; die Partie endet, wenn keiner mehr übrig ist (oder früher, bei den Punkten des Typs Eigene Regeln).</translation>
    </message>
    <message>
        <source>Seul un jeu où l&apos;on choisit l&apos;atout (contrat Chibre) se joue en tournoi: ici, l&apos;atout se gagne aux enchères.</source>
        <translation>Nur ein Spiel, in dem der Trumpf gewählt wird (Vertrag Chibre), wird als Turnier gespielt: hier wird der Trumpf durch Reizen gewonnen.</translation>
    </message>
    <message>
        <source>tournoi</source>
        <translation>Turnier</translation>
    </message>
    <message>
        <source>Le nom &apos;%1&apos; ne peut pas être vide.</source>
        <translation>Der Name &apos;%1&apos; darf nicht leer sein.</translation>
    </message>
    <message>
        <source>La période &apos;%1&apos; commence et finit le même jour: elle ne compte aucun jour.</source>
        <translation>Der Zeitraum &apos;%1&apos; beginnt und endet am selben Tag: er umfasst keinen Tag.</translation>
    </message>
</context>
<context>
    <name>PanelAtouts</name>
    <message>
        <source>Atout</source>
        <translation>Trumpf</translation>
    </message>
    <message>
        <source>Mise</source>
        <translation>Gebot</translation>
    </message>
    <message>
        <source>Capot</source>
        <translation>Kapot</translation>
    </message>
    <message>
        <source>&lt;ChibreOuPasse&gt;</source>
        <translation>&lt;SchiebenOderPassen&gt;</translation>
    </message>
    <message>
        <source>Prends</source>
        <translation>Nehmen</translation>
    </message>
    <message>
        <source>Contre
x2</source>
        <translation>Kontra
x2</translation>
    </message>
    <message>
        <source>&amp;Chibre</source>
        <translation>&amp;Schieben</translation>
    </message>
    <message>
        <source>&amp;Passe</source>
        <translation>&amp;Passen</translation>
    </message>
    <message>
        <source>Coinche</source>
        <translation>Coinche</translation>
    </message>
    <message>
        <source>Contre</source>
        <translation>Kontra</translation>
    </message>
    <message>
        <source>Capot (%1)</source>
        <translation>Kapot (%1)</translation>
    </message>
    <message>
        <source>%1
x2</source>
        <translation>%1
x2</translation>
    </message>
    <message>
        <source>%1
1000</source>
        <translation>%1
1000</translation>
    </message>
    <message>
        <source>Surcoinche</source>
        <translation>Surcoinche</translation>
    </message>
    <message>
        <source>Surcontre</source>
        <translation>Rekontra</translation>
    </message>
    <message>
        <source>%1
x4</source>
        <translation>%1
x4</translation>
    </message>
    <message>
        <source>%1
2000</source>
        <translation>%1
2000</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Partenaire</source>
        <translation>Partner</translation>
    </message>
    <message>
        <source>Chaine incompatible, invalide ou corrompue.</source>
        <translation>Unverträglicher, ungültiger oder beschädigter Text.</translation>
    </message>
    <message>
        <source>Malheureusement, cette partie est corrompue et doit être effacée.</source>
        <translation>Leider ist dieses Spiel beschädigt und muss gelöscht werden.</translation>
    </message>
    <message>
        <source>Malheureusement, cette partie est corrompue et va être effacée.</source>
        <translation>Leider ist dieses Spiel beschädigt und wird gelöscht.</translation>
    </message>
    <message>
        <source>Malheureusement, le jeu ne peut pas continuer, car un problème majeur a été détecté durant les calculs de l&apos;intelligence artificielle. La partie est endommagée. Merci de choisir &apos;Nouvelle Partie&apos; pour en commencer une nouvelle. Vous pouvez également signaler le problème en utilisant le bouton &apos;Bug&apos;.</source>
        <translation>Leider kann das Spiel nicht weitergehen: bei den Berechnungen der Computerspieler ist ein schweres Problem aufgetreten. Das Spiel ist beschädigt. Bitte wählen Sie &apos;Neues Spiel&apos;, um ein neues zu beginnen. Sie können das Problem auch mit der Schaltfläche &apos;Bug&apos; melden.</translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source> (ordi)</source>
        <translation> (Computer)</translation>
    </message>
    <message>
        <source> (joueur)</source>
        <translation> (Spieler)</translation>
    </message>
    <message>
        <source>Vous</source>
        <translation>Sie</translation>
    </message>
    <message>
        <source> (vous)</source>
        <translation> (Sie)</translation>
    </message>
    <message>
        <source>Pas d&apos;annonce</source>
        <translation>Kein Weis</translation>
    </message>
    <message>
        <source>Trois cartes</source>
        <translation>Dreiblatt</translation>
    </message>
    <message>
        <source>%1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>Le Trois</source>
        <translation>Drei</translation>
    </message>
    <message>
        <source>Le Six</source>
        <translation>Sechs</translation>
    </message>
    <message>
        <source>Le Quatre</source>
        <translation>Vier</translation>
    </message>
    <message>
        <source>Le Sept</source>
        <translation>Sieben</translation>
    </message>
    <message>
        <source>Le Cinq</source>
        <translation>Fünf</translation>
    </message>
    <message>
        <source>Le Huit</source>
        <translation>Acht</translation>
    </message>
    <message>
        <source>Le Neuf</source>
        <translation>Neun</translation>
    </message>
    <message>
        <source>Le Drapeau</source>
        <translation>Banner</translation>
    </message>
    <message>
        <source>Le Dix</source>
        <translation>Zehn</translation>
    </message>
    <message>
        <source>L&apos;Under</source>
        <translation>Under</translation>
    </message>
    <message>
        <source>Le Sota</source>
        <translation>Fante</translation>
    </message>
    <message>
        <source>Le Valet</source>
        <translation>Bube</translation>
    </message>
    <message>
        <source>L&apos;Oberst</source>
        <translation>Ober</translation>
    </message>
    <message>
        <source>Le Cabal</source>
        <translation>Cavallo</translation>
    </message>
    <message>
        <source>La Dame</source>
        <translation>Dame</translation>
    </message>
    <message>
        <source>Le Rey</source>
        <translation>Re</translation>
    </message>
    <message>
        <source>Le Roi</source>
        <translation>König</translation>
    </message>
    <message>
        <source>L&apos;As</source>
        <translation>Ass</translation>
    </message>
    <message>
        <source>ERREUR: Status invalide</source>
        <translation>FEHLER: ungültiger Status</translation>
    </message>
    <message>
        <source>Haut en Bas</source>
        <translation>Obenabe</translation>
    </message>
    <message>
        <source>Bas en Haut</source>
        <translation>Undenufe</translation>
    </message>
    <message>
        <source>ZigZag Depart en Bas</source>
        <translation>Slalom von unten</translation>
    </message>
    <message>
        <source>ZigZag Depart en Haut</source>
        <translation>Slalom von oben</translation>
    </message>
    <message>
        <source>Tout atout</source>
        <translation>Alles Trumpf</translation>
    </message>
    <message>
        <source>Sans atout</source>
        <translation>Ohne Trumpf</translation>
    </message>
    <message>
        <source>Inverse</source>
        <translation>Umgekehrt</translation>
    </message>
    <message>
        <source>Trèfle</source>
        <translation>Kreuz</translation>
    </message>
    <message>
        <source>Carreau</source>
        <translation>Karo</translation>
    </message>
    <message>
        <source>Pique</source>
        <translation>Pik</translation>
    </message>
    <message>
        <source>Coeur</source>
        <translation>Herz</translation>
    </message>
    <message>
        <source>Bouclier</source>
        <translation>Schilten</translation>
    </message>
    <message>
        <source>Fleur</source>
        <translation>Rosen</translation>
    </message>
    <message>
        <source>Cloche</source>
        <translation>Schellen</translation>
    </message>
    <message>
        <source>Gland</source>
        <translation>Eicheln</translation>
    </message>
    <message>
        <source>Denier</source>
        <translation>Denari</translation>
    </message>
    <message>
        <source>Coupe</source>
        <translation>Coppe</translation>
    </message>
    <message>
        <source>Bâton</source>
        <translation>Bastoni</translation>
    </message>
    <message>
        <source>Epée</source>
        <translation>Spade</translation>
    </message>
    <message>
        <source>De haut en bas</source>
        <translation>Obenabe</translation>
    </message>
    <message>
        <source>De bas en haut</source>
        <translation>Undenufe</translation>
    </message>
    <message>
        <source>Zig-zag avec départ en bas</source>
        <translation>Slalom, unten beginnend</translation>
    </message>
    <message>
        <source>Zig-zag avec départ en haut</source>
        <translation>Slalom, oben beginnend</translation>
    </message>
    <message>
        <source>Cette carte peut être jouée car elle est de la couleur demandée.</source>
        <translation>Diese Karte darf gespielt werden: sie bedient die ausgespielte Farbe.</translation>
    </message>
    <message>
        <source>Cette carte peut être jouée car c&apos;est un atout qui &apos;coupe&apos; le pli.</source>
        <translation>Diese Karte darf gespielt werden: sie ist ein Trumpf, der den Stich &apos;sticht&apos;.</translation>
    </message>
    <message>
        <source>Cette carte peut être jouée car vous ne pouvez pas &apos;servir&apos; la couleur demandée.</source>
        <translation>Diese Karte darf gespielt werden: Sie können die ausgespielte Farbe nicht &apos;bedienen&apos;.</translation>
    </message>
    <message>
        <source>Cette carte peut être jouée car vous ne pouvez pas &apos;servir&apos; la couleur demandée et votre partenaire est maitre.</source>
        <translation>Diese Karte darf gespielt werden: Sie können die ausgespielte Farbe nicht &apos;bedienen&apos; und Ihr Partner hat den Stich.</translation>
    </message>
    <message>
        <source>Comme vous &apos;ouvrez&apos; le pli, vous avez le droit de jouer n&apos;importe quelle carte.</source>
        <translation>Da Sie den Stich &apos;eröffnen&apos;, dürfen Sie jede Karte spielen.</translation>
    </message>
    <message>
        <source>Cet atout &apos;sous-coupe&apos; un autre atout. Vous pouvez le faire car il ne vous reste que des atouts, ou alors vous ne pouvez pas faire autrement.</source>
        <translation>Dieser Trumpf &apos;untersticht&apos; einen anderen Trumpf. Das ist erlaubt, weil Sie nur noch Trümpfe haben oder keine andere Wahl haben.</translation>
    </message>
    <message>
        <source>Cette carte peut être jouée car c&apos;est un atout plus fort, c&apos;est à dire qu&apos;il &apos;sur-coupe&apos; tous les autres atouts sur le tas.</source>
        <translation>Diese Karte darf gespielt werden: sie ist ein höherer Trumpf, das heisst sie &apos;übersticht&apos; alle anderen Trümpfe im Stich.</translation>
    </message>
    <message>
        <source>Cette carte peut être jouée car vous n&apos;êtes pas obligé de &apos;servir&apos; la couleur demandée. En effet le &apos;bour&apos; (valet d&apos;atout) peut être conservé.</source>
        <translation>Diese Karte darf gespielt werden: Sie müssen die ausgespielte Farbe nicht &apos;bedienen&apos;, denn der &apos;Puur&apos; (Trumpfbube) darf behalten werden.</translation>
    </message>
    <message>
        <source>Vous ne pouvez pas jouer cette carte, car elle n&apos;est pas de la couleur demandée. La couleur est déterminée par la première carte posée sur la table.</source>
        <translation>Sie dürfen diese Karte nicht spielen: sie bedient die ausgespielte Farbe nicht. Die Farbe bestimmt die erste Karte auf dem Tisch.</translation>
    </message>
    <message>
        <source>Vous ne pouvez pas jouer cette carte car vous essayez de &apos;sous-couper&apos;, c&apos;est à dire poser un atout moins fort, alors qu&apos;il y a d&apos;autre cartes jouables.</source>
        <translation>Sie dürfen diese Karte nicht spielen: Sie versuchen &apos;unterzustechen&apos;, also einen niedrigeren Trumpf zu legen, obwohl andere Karten spielbar sind.</translation>
    </message>
    <message>
        <source>Vous ne pouvez pas jouer cette carte, car vous avez encore un atout en main.</source>
        <translation>Sie dürfen diese Karte nicht spielen: Sie haben noch einen Trumpf.</translation>
    </message>
    <message>
        <source>Vous ne pouvez pas jouer cette carte, car vous avez un atout qui peut &apos;prendre&apos; en main.</source>
        <translation>Sie dürfen diese Karte nicht spielen: Sie haben einen Trumpf, der den Stich &apos;nehmen&apos; kann.</translation>
    </message>
    <message>
        <source>Cette carte peut être jouée car vous ne pouvez pas jouer un atout qui pourrait &apos;prendre&apos;.</source>
        <translation>Diese Karte darf gespielt werden: Sie können keinen Trumpf spielen, der &apos;nehmen&apos; könnte.</translation>
    </message>
    <message>
        <source>chaque huit vaut huit points</source>
        <translation>jede Acht zählt acht Punkte</translation>
    </message>
    <message>
        <source>l&apos;atout est imposé</source>
        <translation>der Trumpf ist vorgegeben</translation>
    </message>
    <message>
        <source>Suisse romand</source>
        <translation>Westschweizer</translation>
    </message>
    <message>
        <source>Suisse romand pique double</source>
        <translation>Westschweizer, Pik doppelt</translation>
    </message>
    <message>
        <source>Suisse allemand</source>
        <translation>Deutschschweizer</translation>
    </message>
    <message>
        <source>Suisse allemand zig zag</source>
        <translation>Deutschschweizer Slalom</translation>
    </message>
    <message>
        <source>Suisse romand online</source>
        <translation>Westschweizer online</translation>
    </message>
    <message>
        <source>Belote Classique</source>
        <translation>Klassische Belote</translation>
    </message>
    <message>
        <source>Belote Classique Online</source>
        <translation>Klassische Belote online</translation>
    </message>
    <message>
        <source>Belote Contrée</source>
        <translation>Belote Contrée</translation>
    </message>
    <message>
        <source>Belote Coinchée</source>
        <translation>Belote Coinchée</translation>
    </message>
    <message>
        <source>Belote Vache</source>
        <translation>Belote Vache</translation>
    </message>
    <message>
        <source>Belote Vache Online</source>
        <translation>Belote Vache online</translation>
    </message>
    <message>
        <source>Belote Contrée Online</source>
        <translation>Belote Contrée online</translation>
    </message>
    <message>
        <source>Belote Coinchée Online</source>
        <translation>Belote Coinchée online</translation>
    </message>
    <message>
        <source>Suisse romand tournoi court</source>
        <translation>Westschweizer Turnier kurz</translation>
    </message>
    <message>
        <source>Suisse romand tournoi long</source>
        <translation>Westschweizer Turnier lang</translation>
    </message>
    <message>
        <source>Personalisé</source>
        <translation>Eigene Regeln</translation>
    </message>
    <message>
        <source>Nbr. Parties</source>
        <translation>Anz. Spiele</translation>
    </message>
    <message>
        <source>Ratio Points</source>
        <translation>Punkteverhältnis</translation>
    </message>
    <message>
        <source>En Ligne</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>Nbr. Victoires</source>
        <translation>Anz. Siege</translation>
    </message>
    <message>
        <source>Nbr. Matches</source>
        <translation>Anz. Matchs</translation>
    </message>
    <message>
        <source>Nbr. Plis</source>
        <translation>Anz. Stiche</translation>
    </message>
    <message>
        <source>Tot. Points Plis</source>
        <translation>Stichpunkte total</translation>
    </message>
    <message>
        <source>Tot. Points Annonces</source>
        <translation>Weispunkte total</translation>
    </message>
    <message>
        <source>Nbr. Stöck</source>
        <translation>Anz. Stöck</translation>
    </message>
    <message>
        <source>Nbr. 3 Cartes</source>
        <translation>Anz. Dreiblatt</translation>
    </message>
    <message>
        <source>Nbr. 4 Cartes</source>
        <translation>Anz. Vierblatt</translation>
    </message>
    <message>
        <source>Nbr. 5 Cartes</source>
        <translation>Anz. Fünfblatt</translation>
    </message>
    <message>
        <source>Nbr. Carré Nels</source>
        <translation>Anz. vier Nell</translation>
    </message>
    <message>
        <source>Nbr. Carré Bours</source>
        <translation>Anz. vier Puur</translation>
    </message>
    <message>
        <source>Nbr. Carré 10</source>
        <translation>Anz. vier Zehner</translation>
    </message>
    <message>
        <source>Nbr. Carré Dame</source>
        <translation>Anz. vier Damen</translation>
    </message>
    <message>
        <source>Nbr. Carré Roi</source>
        <translation>Anz. vier Könige</translation>
    </message>
    <message>
        <source>Nbr. Carré As</source>
        <translation>Anz. vier Asse</translation>
    </message>
    <message>
        <source>Nbr. Carré Six</source>
        <translation>Anz. vier Sechser</translation>
    </message>
    <message>
        <source>Nbr. Carré Sept</source>
        <translation>Anz. vier Siebner</translation>
    </message>
    <message>
        <source>Nbr. Carré Huit</source>
        <translation>Anz. vier Achter</translation>
    </message>
    <message>
        <source>Découvreur</source>
        <translation>Entdecker</translation>
    </message>
    <message>
        <source>Intéressé</source>
        <translation>Interessierter</translation>
    </message>
    <message>
        <source>Habitué</source>
        <translation>Stammspieler</translation>
    </message>
    <message>
        <source>Joueur</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Passionné</source>
        <translation>Begeisterter</translation>
    </message>
    <message>
        <source>Professionnel</source>
        <translation>Profi</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Experte</translation>
    </message>
    <message>
        <source>As</source>
        <translation>Ass</translation>
    </message>
    <message>
        <source>Elite</source>
        <translation>Elite</translation>
    </message>
    <message>
        <source>Divinité</source>
        <translation>Gottheit</translation>
    </message>
    <message>
        <source>Promeneur</source>
        <translation>Spaziergänger</translation>
    </message>
    <message>
        <source>Marcheur</source>
        <translation>Wanderer</translation>
    </message>
    <message>
        <source>Randonneur</source>
        <translation>Bergwanderer</translation>
    </message>
    <message>
        <source>Sprinteur</source>
        <translation>Sprinter</translation>
    </message>
    <message>
        <source>Relayeur</source>
        <translation>Staffelläufer</translation>
    </message>
    <message>
        <source>Champion</source>
        <translation>Champion</translation>
    </message>
    <message>
        <source>Olympien</source>
        <translation>Olympionike</translation>
    </message>
    <message>
        <source>Marathonien</source>
        <translation>Marathonläufer</translation>
    </message>
    <message>
        <source>Titan</source>
        <translation>Titan</translation>
    </message>
    <message>
        <source>Légende</source>
        <translation>Legende</translation>
    </message>
    <message>
        <source>du Stöck</source>
        <translation>des Stöck</translation>
    </message>
    <message>
        <source>des 3 Cartes</source>
        <translation>der 3 Karten</translation>
    </message>
    <message>
        <source>des 4 Cartes</source>
        <translation>der 4 Karten</translation>
    </message>
    <message>
        <source>des 5 Cartes</source>
        <translation>der 5 Karten</translation>
    </message>
    <message>
        <source>du 150 les Nels</source>
        <translation>der 150 Nell</translation>
    </message>
    <message>
        <source>du 200 les Bours</source>
        <translation>der 200 Buure</translation>
    </message>
    <message>
        <source>du 100 les 10</source>
        <translation>der 100 Zehner</translation>
    </message>
    <message>
        <source>du Carré de Dames</source>
        <translation>der vier Damen</translation>
    </message>
    <message>
        <source>du Carré des Rois</source>
        <translation>der vier Könige</translation>
    </message>
    <message>
        <source>du Carré des As</source>
        <translation>der vier Asse</translation>
    </message>
    <message>
        <source>du Carré de Six</source>
        <translation>der vier Sechser</translation>
    </message>
    <message>
        <source>du Carré de Sept</source>
        <translation>der vier Siebner</translation>
    </message>
    <message>
        <source>du Carré de Huit</source>
        <translation>der vier Achter</translation>
    </message>
    <message>
        <source> du Jass Romand</source>
        <translation> des Romand-Jass</translation>
    </message>
    <message>
        <source> du Pique Double</source>
        <translation> des Pik doppelt</translation>
    </message>
    <message>
        <source> du Jass Suisse-Allemand</source>
        <translation> des Deutschschweizer Jass</translation>
    </message>
    <message>
        <source> du Zig-Zag</source>
        <translation> des Zickzack</translation>
    </message>
    <message>
        <source> du Jass En Ligne</source>
        <translation> des Online-Jass</translation>
    </message>
    <message>
        <source> de Jeu Personalisé</source>
        <translation> der eigenen Spiele</translation>
    </message>
    <message>
        <source> de la Belote Classique</source>
        <translation> der klassischen Belote</translation>
    </message>
    <message>
        <source> de la Belote Classique En Ligne</source>
        <translation> der klassischen Online-Belote</translation>
    </message>
    <message>
        <source> de la Belote Contrée</source>
        <translation> der Belote Contrée</translation>
    </message>
    <message>
        <source> de la Belote Coinchée</source>
        <translation> der Belote Coinchée</translation>
    </message>
    <message>
        <source> de la Belote Vache</source>
        <translation> der Belote Vache</translation>
    </message>
    <message>
        <source> de la Belote Vache En Ligne</source>
        <translation> der Online-Belote Vache</translation>
    </message>
    <message>
        <source> de la Belote Contrée En Ligne</source>
        <translation> der Online-Belote Contrée</translation>
    </message>
    <message>
        <source> de la Belote Coinchée En Ligne</source>
        <translation> der Online-Belote Coinchée</translation>
    </message>
    <message>
        <source> des tournois de Jass courts</source>
        <translation> der kurzen Jass-Turniere</translation>
    </message>
    <message>
        <source> des tournois de Jass longs</source>
        <translation> der langen Jass-Turniere</translation>
    </message>
    <message>
        <source> des tournois de Belote Vache</source>
        <translation> der Belote-Vache-Turniere</translation>
    </message>
    <message>
        <source>Initié au Match</source>
        <translation>Match-Neuling</translation>
    </message>
    <message>
        <source>Observateur de Matches</source>
        <translation>Match-Beobachter</translation>
    </message>
    <message>
        <source>Routinier des Matches</source>
        <translation>Match-Routinier</translation>
    </message>
    <message>
        <source>Assidu des Matches</source>
        <translation>Match-Stammgast</translation>
    </message>
    <message>
        <source>Supermatcheur</source>
        <translation>Super-Matcher</translation>
    </message>
    <message>
        <source>Professionnel des Matches</source>
        <translation>Match-Profi</translation>
    </message>
    <message>
        <source>Mégamatcheur</source>
        <translation>Mega-Matcher</translation>
    </message>
    <message>
        <source>As des Matches</source>
        <translation>Match-Ass</translation>
    </message>
    <message>
        <source>Ultramatcheur</source>
        <translation>Ultra-Matcher</translation>
    </message>
    <message>
        <source>Divinité des Matches</source>
        <translation>Match-Gottheit</translation>
    </message>
    <message>
        <source>Initié à la Victoire</source>
        <translation>Sieg-Neuling</translation>
    </message>
    <message>
        <source>Observateur de Victoires</source>
        <translation>Sieg-Beobachter</translation>
    </message>
    <message>
        <source>Routinier des Victoires</source>
        <translation>Sieg-Routinier</translation>
    </message>
    <message>
        <source>Assidu des Victoires</source>
        <translation>Sieg-Stammgast</translation>
    </message>
    <message>
        <source>Supervictorieux</source>
        <translation>Super-Sieger</translation>
    </message>
    <message>
        <source>Professionnel des Victoires</source>
        <translation>Sieg-Profi</translation>
    </message>
    <message>
        <source>Mégavictorieux</source>
        <translation>Mega-Sieger</translation>
    </message>
    <message>
        <source>As des Victoires</source>
        <translation>Sieg-Ass</translation>
    </message>
    <message>
        <source>Victoirinox</source>
        <translation>Siegerinox</translation>
    </message>
    <message>
        <source>Divinité des Victoires</source>
        <translation>Sieg-Gottheit</translation>
    </message>
    <message>
        <source>%1 Niv. %2</source>
        <translation>%1 St. %2</translation>
    </message>
    <message>
        <source>%1%2</source>
        <translation>%1%2</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>%1 (tournoi)</source>
        <translation>%1 (Turnier)</translation>
    </message>
</context>
<context>
    <name>ServerView</name>
    <message>
        <source>Port à donner à vos amis: %1</source>
        <translation>Port für Ihre Freunde: %1</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Adresse de cette machine: %1</source>
        <translation>Adresse dieses Rechners: %1</translation>
    </message>
    <message>
        <source>Ports: TCP %1, WebSocket %2, WebSocket sécurisé %3</source>
        <translation>Ports: TCP %1, WebSocket %2, sicherer WebSocket %3</translation>
    </message>
    <message>
        <source>Serveur de jeu</source>
        <translation>Spielserver</translation>
    </message>
    <message>
        <source>Démarrer la partie</source>
        <translation>Spiel starten</translation>
    </message>
    <message>
        <source>Arrêter le serveur</source>
        <translation>Server anhalten</translation>
    </message>
    <message>
        <source>Aucune place pour %1</source>
        <translation>Kein Platz für %1</translation>
    </message>
    <message>
        <source>Serveur arrêté</source>
        <translation>Server angehalten</translation>
    </message>
    <message>
        <source>En attente de joueurs (%1 connecté(s))</source>
        <translation>Warten auf Spieler (%1 verbunden)</translation>
    </message>
    <message>
        <source>Complet, prêt à démarrer</source>
        <translation>Voll, startbereit</translation>
    </message>
    <message>
        <source>Partie en cours</source>
        <translation>Spiel läuft</translation>
    </message>
    <message>
        <source>Votre nom</source>
        <translation>Ihr Name</translation>
    </message>
    <message>
        <source>Joueurs connectés</source>
        <translation>Verbundene Spieler</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Tisch</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Platz</translation>
    </message>
    <message>
        <source>Place %1</source>
        <translation>Platz %1</translation>
    </message>
    <message>
        <source>Placer le joueur</source>
        <translation>Spieler platzieren</translation>
    </message>
    <message>
        <source>Retirer le joueur</source>
        <translation>Spieler entfernen</translation>
    </message>
    <message>
        <source>%1 a été retiré de la partie</source>
        <translation>%1 wurde aus dem Spiel entfernt</translation>
    </message>
    <message>
        <source>Journal du serveur</source>
        <translation>Serverprotokoll</translation>
    </message>
    <message>
        <source>%1 placé à la table %2, place %3</source>
        <translation>%1 an Tisch %2, Platz %3 gesetzt</translation>
    </message>
    <message>
        <source>%1 n&apos;a pas pu être placé à la table %2, place %3</source>
        <translation>%1 konnte nicht an Tisch %2, Platz %3 gesetzt werden</translation>
    </message>
    <message>
        <source>Adresse: %1, Port: %2, Id: %3</source>
        <translation>Adresse: %1, Port: %2, Id: %3</translation>
    </message>
</context>
<context>
    <name>TableClient</name>
    <message>
        <source>Cette copie ne suit plus la partie de l&apos;hôte: elle quitte la partie en ligne.</source>
        <translation>Diese Kopie folgt dem Spiel des Gastgebers nicht mehr: Sie verlässt das Online-Spiel.</translation>
    </message>
    <message>
        <source>Cette copie ne suit plus la partie de l&apos;hôte: la partie est reprise auprès de l&apos;hôte.</source>
        <translation>Diese Kopie folgt dem Spiel des Gastgebers nicht mehr: Sie tritt erneut bei und holt das Spiel nach.</translation>
    </message>
    <message>
        <source>Une partie réseau est en cours. %1Voulez-vous tout de même quitter?</source>
        <comment>leave the online game</comment>
        <translation>Ein Netzwerkspiel läuft. %1Möchten Sie es trotzdem verlassen? Danach geht es mit einem lokalen Spiel weiter.</translation>
    </message>
    <message>
        <source>Une partie réseau est en cours. %1Voulez-vous tout de même quitter?</source>
        <comment>stop the server</comment>
        <translation>Ein Netzwerkspiel läuft. %1Möchten Sie den Server trotzdem anhalten? Das Spiel endet für alle Spieler.</translation>
    </message>
    <message>
        <source>Comme une partie entière n&apos;a pas encore été complétée, une pénalité sur votre score en ligne sera appliquée. </source>
        <translation>Da noch kein ganzes Spiel beendet wurde, wird Ihr Online-Punktestand bestraft. </translation>
    </message>
    <message>
        <source>Avertissement.</source>
        <translation>Warnung.</translation>
    </message>
    <message>
        <source>Une partie réseau est en cours. %1Voulez-vous tout de même quitter?</source>
        <translation>Ein Netzwerkspiel läuft. %1Möchten Sie trotzdem beenden?</translation>
    </message>
    <message>
        <source>Question.</source>
        <translation>Frage.</translation>
    </message>
    <message>
        <source>Voulez-vous revoir la partie depuis le début?</source>
        <translation>Möchten Sie das Spiel von Anfang an noch einmal ansehen?</translation>
    </message>
    <message>
        <source>Information.</source>
        <translation>Information.</translation>
    </message>
    <message>
        <source>Fin du film. Cliquez sur OK pour continuer la partie.</source>
        <translation>Ende der Wiederholung. Klicken Sie auf OK, um das Spiel fortzusetzen.</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>La partie en ligne est terminée.</source>
        <translation>Das Online-Spiel ist beendet.</translation>
    </message>
    <message>
        <source>Connection interrompue.</source>
        <translation>Verbindung unterbrochen.</translation>
    </message>
    <message>
        <source>La connection avec le serveur a été interrompue. La partie ne pourra pas continuer.</source>
        <translation>Die Verbindung zum Server wurde unterbrochen. Das Spiel kann nicht weitergehen.</translation>
    </message>
    <message>
        <source>La partie %1 ne suit plus le jeu après la ligne %2: elle continue depuis ce coup.</source>
        <translation>Die Partie %1 folgt dem Spiel nach Zeile %2 nicht mehr: sie geht ab diesem Zug weiter.</translation>
    </message>
    <message>
        <source>La partie %1 ne suit pas le jeu dès son premier coup: elle continue depuis le début.</source>
        <translation>Die Partie %1 folgt dem Spiel schon ab dem ersten Zug nicht: sie geht vom Anfang an weiter.</translation>
    </message>
    <message>
        <source>Partie incomplète</source>
        <translation>Unvollständige Partie</translation>
    </message>
    <message>
        <source>La partie %1 n&apos;a pas pu être ouverte.</source>
        <translation>Die Partie %1 konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Le fichier est abîmé à la ligne %1: %2.</source>
        <translation>Die Datei ist in Zeile %1 beschädigt: %2.</translation>
    </message>
</context>
<context>
    <name>WidgetOptionsAI</name>
    <message>
        <source>Nombre de donnes simulées par coup: plus il est grand, plus l&apos;ordinateur joue fort et lentement.</source>
        <translation>Anzahl simulierter Runden pro Zug: je höher, desto stärker und langsamer spielt der Computer.</translation>
    </message>
    <message>
        <source>Facile</source>
        <translation>Leicht</translation>
    </message>
    <message>
        <source>Moyen</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Fort</source>
        <translation>Stark</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Experte</translation>
    </message>
    <message>
        <source>Sur mesure</source>
        <translation>Benutzerdefiniert</translation>
    </message>
    <message>
        <source>Niveau</source>
        <translation>Stufe</translation>
    </message>
    <message>
        <source>Force (donnes simulées)</source>
        <translation>Stärke (simulierte Runden)</translation>
    </message>
    <message>
        <source>Confiance au 2e tour d&apos;atout</source>
        <translation>Vertrauen in der 2. Trumpfrunde</translation>
    </message>
    <message>
        <source>Confiance au 3e tour d&apos;atout</source>
        <translation>Vertrauen in der 3. Trumpfrunde</translation>
    </message>
    <message>
        <source>Déduction des jeux adverses</source>
        <translation>Gegnerische Karten ableiten</translation>
    </message>
    <message>
        <source>force</source>
        <translation>Stärke</translation>
    </message>
    <message>
        <source>confiance au 2e tour</source>
        <translation>Vertrauen in der 2. Runde</translation>
    </message>
    <message>
        <source>confiance au 3e tour</source>
        <translation>Vertrauen in der 3. Runde</translation>
    </message>
    <message>
        <source>déduction</source>
        <translation>Ableitung</translation>
    </message>
</context>
<context>
    <name>ZB_About</name>
    <message>
        <source>interface, réseau, graphisme</source>
        <translation>Oberfläche, Netzwerk, Grafik</translation>
    </message>
    <message>
        <source>rapports de bug (zip)</source>
        <translation>Fehlerberichte (zip)</translation>
    </message>
    <message>
        <source>GNU LGPL v2.1 avec exception de liaison statique</source>
        <translation>GNU LGPL v2.1 mit Ausnahme für statisches Linken</translation>
    </message>
    <message>
        <source>compression</source>
        <translation>Kompression</translation>
    </message>
    <message>
        <source>licence zlib</source>
        <translation>zlib-Lizenz</translation>
    </message>
    <message>
        <source>connexions sécurisées (par Qt)</source>
        <translation>sichere Verbindungen (über Qt)</translation>
    </message>
    <message>
        <source>polices</source>
        <translation>Schriften</translation>
    </message>
    <message>
        <source>licence Bitstream Vera / DejaVu (libre)</source>
        <translation>Bitstream-Vera-/DejaVu-Lizenz (frei)</translation>
    </message>
    <message>
        <source>police de la table</source>
        <translation>Tischschrift</translation>
    </message>
    <message>
        <source>A propos</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Jass et Belote</source>
        <translation>Jass und Belote</translation>
    </message>
    <message>
        <source>inconnue</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>Version %1 (Qt %2)</source>
        <translation>Version %1 (Qt %2)</translation>
    </message>
    <message>
        <source>Ce programme utilise:</source>
        <translation>Dieses Programm verwendet:</translation>
    </message>
    <message>
        <source>Les cartes, images et sons sont créés pour ce programme.</source>
        <translation>Die Karten, Bilder und Töne wurden für dieses Programm erstellt.</translation>
    </message>
</context>
<context>
    <name>ZB_Application</name>
    <message>
        <source>Erreur</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>ZB_ClientConnection</name>
    <message>
        <source>Connection client</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Connection en cours...</source>
        <translation>Verbindung wird hergestellt...</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Schliessen</translation>
    </message>
    <message>
        <source>Init</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Résolution de l&apos;adresse...</source>
        <translation>Adresse wird aufgelöst...</translation>
    </message>
    <message>
        <source>Tentative de connection...</source>
        <translation>Verbindungsversuch...</translation>
    </message>
    <message>
        <source>Connection réussie, en attente d&apos;autres joueurs pour encore max. %1[s]...</source>
        <translation>Verbunden, warte höchstens %1[s] auf weitere Spieler...</translation>
    </message>
    <message>
        <source>Connection réussie, en attente d&apos;autres joueurs et de la formation des équipes, par le joueur qui a lancé ce serveur...</source>
        <translation>Verbunden, warte auf weitere Spieler und darauf, dass der Gastgeber die Teams bildet...</translation>
    </message>
    <message>
        <source>Jeu en cours...</source>
        <translation>Spiel läuft...</translation>
    </message>
    <message>
        <source>Déconnecté par l&apos;utilisateur</source>
        <translation>Vom Benutzer getrennt</translation>
    </message>
    <message>
        <source>Déconnecté...</source>
        <translation>Getrennt...</translation>
    </message>
    <message>
        <source>Le serveur de jeu a fermé la connection: nouvelle tentative %1 sur %2 dans %3 s.</source>
        <translation>Der Spielserver hat die Verbindung geschlossen: Versuch %1 von %2 in %3 s.</translation>
    </message>
</context>
<context>
    <name>ZB_ClientDialogIp</name>
    <message>
        <source>Entrez l&apos;adresse du serveur.</source>
        <translation>Geben Sie die Adresse des Servers ein.</translation>
    </message>
    <message>
        <source>Entrez un port de 1 à 65535.</source>
        <translation>Geben Sie einen Port von 1 bis 65535 ein.</translation>
    </message>
    <message>
        <source>Entrez votre nom.</source>
        <translation>Geben Sie Ihren Namen ein.</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Connection Client</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Ip Serveur</source>
        <translation>Server-IP</translation>
    </message>
    <message>
        <source>Votre nom</source>
        <translation>Ihr Name</translation>
    </message>
</context>
<context>
    <name>ZB_FichierDePartie</name>
    <message>
        <source>La ligne %1 est plus longue que toute ligne d&apos;une partie.</source>
        <translation>Zeile %1 ist länger als jede Zeile einer Partie.</translation>
    </message>
    <message>
        <source>Le fichier fait %1 Mo, bien plus que toute partie (au plus %2 Mo).</source>
        <translation>Die Datei ist %1 MB groß, weit mehr als jede Partie (höchstens %2 MB).</translation>
    </message>
    <message>
        <source>Le fichier n&apos;a pas la forme d&apos;une partie enregistrée.</source>
        <translation>Die Datei hat nicht die Form einer gespeicherten Partie.</translation>
    </message>
    <message>
        <source>Table %1: %2</source>
        <translation>Tisch %1: %2</translation>
    </message>
    <message>
        <source>Le fichier s&apos;arrête au milieu de la ligne %1.</source>
        <translation>Die Datei bricht mitten in Zeile %1 ab.</translation>
    </message>
    <message>
        <source>La ligne %1 ne contient pas un coup lisible.</source>
        <translation>Zeile %1 enthält keinen lesbaren Zug.</translation>
    </message>
    <message>
        <source>Le fichier ne contient aucun coup.</source>
        <translation>Die Datei enthält keinen Zug.</translation>
    </message>
    <message>
        <source>Le fichier ne contient pas l&apos;inscription de la partie et de ses quatre joueurs.</source>
        <translation>Die Datei enthält die Anmeldung der Partie und ihrer vier Spieler nicht.</translation>
    </message>
    <message>
        <source>La partie s&apos;ouvre au dernier coup lisible, à la ligne %1; la suite du fichier est laissée de côté.</source>
        <translation>Die Partie wird beim letzten lesbaren Zug in Zeile %1 geöffnet; der Rest der Datei bleibt unberücksichtigt.</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier</source>
        <translation>das ist keine Datei</translation>
    </message>
    <message>
        <source>La ligne %1 fait jouer la place %2 hors de son tour.</source>
        <translation>Zeile %1 lässt Platz %2 außerhalb seiner Reihe spielen.</translation>
    </message>
    <message>
        <source>La ligne %1 joue la carte %2, qui n&apos;existe pas.</source>
        <translation>Zeile %1 spielt die Karte %2, die es nicht gibt.</translation>
    </message>
    <message>
        <source>La ligne %1 joue la carte %2 une deuxième fois dans la même donne.</source>
        <translation>Zeile %1 spielt die Karte %2 ein zweites Mal in derselben Runde.</translation>
    </message>
    <message>
        <source>La ligne %1 joue une %2e carte d&apos;une main qui en tient %3.</source>
        <translation>Zeile %1 spielt die %2. Karte einer Hand, die %3 hält.</translation>
    </message>
    <message>
        <source>La ligne %1 fait jouer à la place %2 la carte %3, que le tirage de la ligne %4 a donnée à la place %5.</source>
        <translation>Zeile %1 lässt Platz %2 die Karte %3 spielen, die die Ziehung in Zeile %4 Platz %5 gegeben hat.</translation>
    </message>
    <message>
        <source>La ligne %1 fait jouer à la place %2 la carte %3, que le tirage de la ligne %4 n&apos;a donnée à personne.</source>
        <translation>Zeile %1 lässt Platz %2 die Karte %3 spielen, die die Ziehung in Zeile %4 niemandem gegeben hat.</translation>
    </message>
</context>
<context>
    <name>ZB_MainWidget</name>
    <message>
        <source>&amp;Serveur de jeu...</source>
        <translation>&amp;Spielserver...</translation>
    </message>
    <message>
        <source>&amp;Partie</source>
        <translation>&amp;Spiel</translation>
    </message>
    <message>
        <source>&amp;Nouvelle partie</source>
        <translation>&amp;Neues Spiel</translation>
    </message>
    <message>
        <source>Nouvelle partie &amp;gagnante</source>
        <translation>Neues &amp;Gewinnspiel</translation>
    </message>
    <message>
        <source>&amp;Ouvrir...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Enregistrer</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Enregistrer &amp;sous...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Annuler le coup</source>
        <translation>Zug &amp;rückgängig</translation>
    </message>
    <message>
        <source>&amp;Rétablir le coup</source>
        <translation>Zug &amp;wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Quitter</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Réseau</source>
        <translation>&amp;Netzwerk</translation>
    </message>
    <message>
        <source>&amp;Héberger une partie</source>
        <translation>Spiel &amp;hosten</translation>
    </message>
    <message>
        <source>&amp;Rejoindre une partie...</source>
        <translation>Spiel &amp;beitreten...</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Type de partie</source>
        <translation>Spiel&amp;art</translation>
    </message>
    <message>
        <source>&amp;Sons</source>
        <translation>&amp;Töne</translation>
    </message>
    <message>
        <source>&amp;Langue</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>&amp;Aide</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Signaler un &amp;bug...</source>
        <translation>&amp;Fehler melden...</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Optionen...</translation>
    </message>
    <message>
        <source>T&amp;hème</source>
        <translation>T&amp;hema</translation>
    </message>
    <message>
        <source>&amp;Bois</source>
        <translation>&amp;Holz</translation>
    </message>
    <message>
        <source>&amp;Alien</source>
        <translation>&amp;Alien</translation>
    </message>
    <message>
        <source>&amp;Course</source>
        <translation>&amp;Rennen</translation>
    </message>
    <message>
        <source>Bo&amp;nbon</source>
        <translation>Bo&amp;nbon</translation>
    </message>
    <message>
        <source>Na&amp;ture</source>
        <translation>Na&amp;tur</translation>
    </message>
    <message>
        <source>Fenêtre des &amp;événements</source>
        <translation>&amp;Ereignisfenster</translation>
    </message>
    <message>
        <source>À &amp;propos...</source>
        <translation>Ü&amp;ber...</translation>
    </message>
    <message>
        <source>Les options n&apos;ont pas pu être enregistrées: %1</source>
        <translation>Die Optionen konnten nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>Si vous souhaitez plus d&apos;assistance, n&apos;hésitez pas à contacter notre</source>
        <translation>Wenn Sie weitere Hilfe wünschen, wenden Sie sich gerne an unseren</translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Ouvrir une partie</source>
        <translation>Spiel öffnen</translation>
    </message>
    <message>
        <source>Le fichier %1 n&apos;existe pas.</source>
        <translation>Die Datei %1 existiert nicht.</translation>
    </message>
    <message>
        <source>Enregistrer la partie</source>
        <translation>Spiel speichern</translation>
    </message>
    <message>
        <source>Impossible d&apos;écouter sur le port %1: un autre programme l&apos;utilise peut-être.</source>
        <translation>Port %1 kann nicht geöffnet werden: vielleicht benutzt ihn ein anderes Programm.</translation>
    </message>
    <message>
        <source>Le rapport n&apos;a pas pu être écrit: %1</source>
        <translation>Der Bericht konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Rapport de bug</source>
        <translation>Fehlerbericht</translation>
    </message>
    <message>
        <source>Le rapport a été écrit dans %1</source>
        <translation>Der Bericht wurde nach %1 geschrieben</translation>
    </message>
    <message>
        <source>Automatique</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>&amp;Quitter la partie en ligne</source>
        <translation>Online-Spiel &amp;verlassen</translation>
    </message>
    <message>
        <source>Parties (*.jss *.jst);;Tous les fichiers (*)</source>
        <translation>Spiele (*.jss *.jst);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>&amp;Jouer en ligne...</source>
        <translation>&amp;Online spielen...</translation>
    </message>
    <message>
        <source>La partie %1 n&apos;a pas pu être ouverte.</source>
        <translation>Die Partie %1 konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Le fichier abîmé est gardé sous le nom %1.</source>
        <translation>Die beschädigte Datei wird als %1 aufbewahrt.</translation>
    </message>
    <message>
        <source>La partie en ligne a pris fin avant la fin du match.</source>
        <translation>Die Online-Partie endete vor dem Ende des Matchs.</translation>
    </message>
</context>
<context>
    <name>ZB_Room</name>
    <message>
        <source>Ordinateur</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>Information concours.</source>
        <translation>Wettbewerbsinformation.</translation>
    </message>
    <message>
        <source>Vous avez atteint le nombre de parties prévu. A présent, les mêmes jeux qu&apos;au départ vont être distribués, mais en inversant les destinataires.</source>
        <translation>Die vorgesehene Anzahl Runden ist erreicht. Jetzt werden dieselben Karten wie am Anfang noch einmal verteilt, aber an das andere Team.</translation>
    </message>
    <message>
        <source>Le fichier est trop court pour contenir une partie.</source>
        <translation>Die Datei ist zu kurz für eine Partie.</translation>
    </message>
    <message>
        <source>La partie %1 est abîmée. %2</source>
        <translation>Die Partie %1 ist beschädigt. %2</translation>
    </message>
    <message>
        <source>Partie incomplète</source>
        <translation>Unvollständige Partie</translation>
    </message>
    <message>
        <source>Le fichier n&apos;a pas la forme d&apos;une partie enregistrée.</source>
        <translation>Die Datei hat nicht die Form einer gespeicherten Partie.</translation>
    </message>
    <message>
        <source>Partie non enregistrée</source>
        <translation>Partie nicht gespeichert</translation>
    </message>
    <message>
        <source>La partie n&apos;a pas pu être enregistrée: ce qui a été joué depuis le dernier enregistrement est perdu.</source>
        <translation>Die Partie konnte nicht gespeichert werden: was seit dem letzten Speichern gespielt wurde, ist verloren.</translation>
    </message>
    <message>
        <source>Partie enregistrée à part</source>
        <translation>Partie separat gespeichert</translation>
    </message>
    <message>
        <source>Une autre copie du programme a enregistré une partie plus récente dans %1: le prochain démarrage la reprendra. Pour ne pas la remplacer, cette partie-ci est enregistrée dans %2.</source>
        <translation>Eine andere Kopie des Programms hat eine neuere Partie in %1 gespeichert: der nächste Start setzt sie fort. Um sie nicht zu ersetzen, wird diese Partie in %2 gespeichert.</translation>
    </message>
</context>
<context>
    <name>ZB_RoomTable</name>
    <message>
        <source>La partie est rejouée jusqu&apos;au coup en cours: vous jouerez dès la fin du rattrapage.</source>
        <translation>Die Partie wird bis zum aktuellen Zug nachgespielt: Sie spielen, sobald sie aufgeholt hat.</translation>
    </message>
    <message>
        <source>Erreur interne: La boucle a évènements ne traite pas tous les cas</source>
        <translation>Interner Fehler: die Ereignisschleife behandelt nicht alle Fälle</translation>
    </message>
    <message>
        <source>Serveur</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Evènement invalide dans le fichier *.jss</source>
        <translation>Ungültiges Ereignis in der *.jss-Datei</translation>
    </message>
    <message>
        <source>Information.</source>
        <translation>Information.</translation>
    </message>
    <message>
        <source>Vous entrez en jeu durant ce tour.</source>
        <translation>Sie steigen in dieser Runde ins Spiel ein.</translation>
    </message>
    <message>
        <source>Comme la partie est déjà bien avancée, vous entrerez en jeu lors de la prochaine donne. Merci de patienter.</source>
        <translation>Da die Runde schon weit fortgeschritten ist, steigen Sie bei der nächsten Runde ein. Bitte warten.</translation>
    </message>
    <message>
        <source>Le joueur s&apos;est déconnecté. Pour vous permettre de terminer la partie, il est remplacé par l&apos;ordinateur.</source>
        <translation>Der Spieler hat die Verbindung getrennt. Damit Sie das Spiel beenden können, übernimmt der Computer.</translation>
    </message>
    <message>
        <source>Le joueur &apos;%1&apos; s&apos;est reconnecté</source>
        <translation>Der Spieler &apos;%1&apos; ist wieder verbunden</translation>
    </message>
    <message>
        <source>Le joueur &apos;%1&apos; s&apos;est connecté à la place de &apos;%2&apos;</source>
        <translation>Der Spieler &apos;%1&apos; hat sich anstelle von &apos;%2&apos; verbunden</translation>
    </message>
    <message>
        <source>%1 et entrera en jeu durant cette donne.</source>
        <translation>%1 und steigt in dieser Runde ein.</translation>
    </message>
    <message>
        <source>%1 et sera actif à la prochaine donne.</source>
        <translation>%1 und spielt ab der nächsten Runde.</translation>
    </message>
    <message>
        <source>la place %1 joue la carte %2, qu&apos;elle ne tient pas dans cette donne</source>
        <translation>Platz %1 spielt die Karte %2, die er in dieser Runde nicht hält</translation>
    </message>
</context>
<context>
    <name>ZB_ServerSocket</name>
    <message>
        <source>%1 a quitté la partie</source>
        <translation>%1 hat das Spiel verlassen</translation>
    </message>
    <message>
        <source>%1 a été exclu: il n&apos;a pas joué dans les délais impartis</source>
        <translation>%1 wurde ausgeschlossen, weil er nicht rechtzeitig gespielt hat</translation>
    </message>
    <message>
        <source>%1 n&apos;a pas eu de place: la partie est complète</source>
        <translation>%1 hat keinen Platz bekommen: das Spiel ist voll</translation>
    </message>
    <message>
        <source>%1 a cédé sa place à %2: son adresse en tenait plus</source>
        <translation>%1 hat seinen Platz an %2 abgegeben: seine Adresse hatte mehr Plätze</translation>
    </message>
    <message>
        <source>Ordinateur</source>
        <translation>Computer</translation>
    </message>
</context>
<context>
    <name>ZB_ServerSocketConnection</name>
    <message>
        <source>Erreur de connection client.</source>
        <translation>Verbindungsfehler.</translation>
    </message>
</context>
</TS>
