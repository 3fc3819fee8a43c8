<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>AnalyseJoueur</name>
    <message>
        <source>Vue Joueur</source>
        <translation>Player view</translation>
    </message>
    <message>
        <source>Vue Autres</source>
        <translation>Others&apos; view</translation>
    </message>
    <message>
        <source>Réel</source>
        <translation>Actual</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>Text Log</source>
        <translation>Text log</translation>
    </message>
    <message>
        <source>Simulation</source>
        <translation>Simulation</translation>
    </message>
    <message>
        <source>Tree</source>
        <translation>Tree</translation>
    </message>
</context>
<context>
    <name>ClientSocket</name>
    <message>
        <source>L&apos;ordinateur distant a été trouvé, mais aucun serveur de jeu ne répond sur ce port. Vérifiez le port que l&apos;hôte vous a donné</source>
        <translation>The remote computer was found, but no game server answers on this port. Check the port the host gave you</translation>
    </message>
    <message>
        <source>Partie en ligne terminée</source>
        <translation>Online game over</translation>
    </message>
    <message>
        <source>L&apos;hôte vous a retiré de la partie.</source>
        <translation>The host removed you from the game.</translation>
    </message>
    <message>
        <source>L&apos;hôte a arrêté la partie.</source>
        <translation>The host stopped the game.</translation>
    </message>
    <message>
        <source>Erreur de connection client</source>
        <translation>Client connection error</translation>
    </message>
    <message>
        <source>Connection au serveur IP: %1, port: %2
%3.</source>
        <translation>Connection to the server IP: %1, port: %2
%3.</translation>
    </message>
    <message>
        <source>Notification</source>
        <translation>Notification</translation>
    </message>
    <message>
        <source>Le début de la partie va être rejoué, merci d&apos;être attentif.</source>
        <translation>The start of the game is about to be replayed, please watch.</translation>
    </message>
    <message>
        <source>Connection client</source>
        <translation>Client connection</translation>
    </message>
    <message>
        <source>Vous vous apprétez à vous déconnecter du serveur. Quitter tout de même?</source>
        <translation>You are about to disconnect from the server. Leave the online game anyway?</translation>
    </message>
    <message>
        <source>L&apos;ordinateur distant a été trouvé, mais le serveur de jeu a refusé la connection: il est complet, ou trop de connections arrivent de votre adresse. Réessayez plus tard</source>
        <translation>The remote computer was found, but the game server refused the connection: it is full, or too many connections come from your address. Try again later</translation>
    </message>
    <message>
        <source>L&apos;ordinateur distant a été trouvé, mais le serveur de jeu est complet</source>
        <translation>The remote computer was found, but the game server is full</translation>
    </message>
    <message>
        <source>La connection avec le serveur a été interrompue.</source>
        <translation>The connection with the server was interrupted.</translation>
    </message>
    <message>
        <source>L&apos;ordinateur distant a été trouvé, mais le serveur de jeu n&apos;est pas démarré, ou alors sa configuration réseau est incorrecte</source>
        <translation>The remote computer was found, but the game server is not started, or its network configuration is wrong</translation>
    </message>
    <message>
        <source>La connection avec le serveur a été interrompue</source>
        <translation>The connection with the server was interrupted</translation>
    </message>
    <message>
        <source>L&apos;ordinateur distant a accepté la connexion, mais aucun serveur de jeu n&apos;y a répondu en %1 secondes. Vérifiez le port que l&apos;hôte vous a donné</source>
        <translation>The remote computer accepted the connection, but no game server answered there within %1 seconds. Check the port the host gave you</translation>
    </message>
    <message>
        <source>L&apos;hôte n&apos;a rien envoyé depuis %1 secondes: la partie en ligne est abandonnée</source>
        <translation>The host has sent nothing for %1 seconds: the online game is given up</translation>
    </message>
</context>
<context>
    <name>DisplayGL</name>
    <message>
        <source>Exclusion</source>
        <translation>Exclusion</translation>
    </message>
    <message>
        <source>Vous avez été écarté de la partie
pour avoir pris trop de temps.</source>
        <translation>You were removed from the game
for taking too long.</translation>
    </message>
</context>
<context>
    <name>DisplayGLPanelDeJoueur</name>
    <message>
        <source>Celle-ci vaut %2 points.</source>
        <translation>This one is worth %2 points.</translation>
    </message>
</context>
<context>
    <name>DisplayGLScene</name>
    <message>
        <source>Je passe</source>
        <translation>Pass</translation>
    </message>
    <message>
        <source>Serveur: Ligne courte pour tester les messages réseau.</source>
        <translation>Server: Short line to test the network messages.</translation>
    </message>
    <message>
        <source>Test: Ceci est une ligne très très très très très très très très très très très très très très longue pour tester les messages réseau.</source>
        <translation>Test: This is a very very very very very very very very very very very very very very long line to test the network messages.</translation>
    </message>
    <message>
        <source>Serveur: Ligne successive %1 pour tester les messages réseau.</source>
        <translation>Server: Successive line %1 to test the network messages.</translation>
    </message>
    <message>
        <source>Je prends</source>
        <translation>I take</translation>
    </message>
    <message>
        <source>Capot en %1</source>
        <translation>Capot in %1</translation>
    </message>
    <message>
        <source>, Mise %1</source>
        <translation>, Bid %1</translation>
    </message>
    <message>
        <source>Règles plus détaillées: </source>
        <translation>More detailed rules: </translation>
    </message>
    <message>
        <source>Touchez l&apos;écran</source>
        <translation>Touch the screen</translation>
    </message>
    <message>
        <source>Cliquez</source>
        <translation>Click</translation>
    </message>
    <message>
        <source>Mode de secours</source>
        <translation>Safe mode</translation>
    </message>
    <message>
        <source>Le mode d&apos;affichage a été changé en &apos;%1&apos;.</source>
        <translation>The display mode was changed to &apos;%1&apos;.</translation>
    </message>
    <message>
        <source> / %1 Tours Restants</source>
        <translation> / %1 rounds left</translation>
    </message>
    <message>
        <source>Fin de partie.</source>
        <translation>End of the game.</translation>
    </message>
    <message>
        <source>End of the game.</source>
        <translation>End of the game.</translation>
    </message>
    <message>
        <source>Patientez...</source>
        <translation>Please wait...</translation>
    </message>
    <message>
        <source>Vous êtes spectateur, merci de patienter...</source>
        <translation>You are watching, please wait...</translation>
    </message>
    <message>
        <source>Vous êtes spectateur.</source>
        <translation>You are watching.</translation>
    </message>
    <message>
        <source>%1 pour distribuer.</source>
        <translation>%1 to deal.</translation>
    </message>
    <message>
        <source>%1 pour continuer.</source>
        <translation>%1 to continue.</translation>
    </message>
    <message>
        <source>%1 pour confirmer les annonces.</source>
        <translation>%1 to confirm the announcements.</translation>
    </message>
    <message>
        <source>%1 pour terminer la partie.</source>
        <translation>%1 to end the game.</translation>
    </message>
    <message>
        <source>Fin du Jeu!</source>
        <translation>Game over!</translation>
    </message>
    <message>
        <source>%1 choisit la mise...</source>
        <translation>%1 is choosing the bid...</translation>
    </message>
    <message>
        <source>Choisissez la mise.</source>
        <translation>Choose your bid.</translation>
    </message>
    <message>
        <source>Choisissez l&apos;atout.</source>
        <translation>Choose the trump.</translation>
    </message>
    <message>
        <source>%1 choisit l&apos;atout...</source>
        <translation>%1 is choosing the trump...</translation>
    </message>
    <message>
        <source>%1 a chibré. Choisissez l&apos;atout.</source>
        <translation>%1 passed to you. Choose the trump.</translation>
    </message>
    <message>
        <source>Vous avez chibré. %1 choisit l&apos;atout...</source>
        <translation>You passed. %1 is choosing the trump...</translation>
    </message>
    <message>
        <source>%1 a chibré. %2 choisit l&apos;atout...</source>
        <translation>%1 passed. %2 is choosing the trump...</translation>
    </message>
    <message>
        <source>L&apos;atout est %1.</source>
        <translation>Trump is %1.</translation>
    </message>
    <message>
        <source>L&apos;atout imposé est %1.</source>
        <translation>The imposed trump is %1.</translation>
    </message>
    <message>
        <source>Le joueur avec &apos;%1 de %2&apos; commence.</source>
        <translation>The player with the &apos;%1 of %2&apos; begins.</translation>
    </message>
    <message>
        <source>Choisissez une carte.</source>
        <translation>Choose a card.</translation>
    </message>
    <message>
        <source>Au tour de %1...</source>
        <translation>%1&apos;s turn...</translation>
    </message>
    <message>
        <source>Haut en Bas</source>
        <translation>Top-down</translation>
    </message>
    <message>
        <source>Bas en Haut</source>
        <translation>Bottom-up</translation>
    </message>
    <message>
        <source>ZigZag Depart en Bas</source>
        <translation>Zig-zag from the bottom</translation>
    </message>
    <message>
        <source>ZigZag Depart en Haut</source>
        <translation>Zig-zag from the top</translation>
    </message>
    <message>
        <source>Tout atout</source>
        <translation>All trumps</translation>
    </message>
    <message>
        <source>Sans atout</source>
        <translation>No trumps</translation>
    </message>
    <message>
        <source>Inverse</source>
        <translation>Inverse</translation>
    </message>
    <message>
        <source>ERREUR: Status invalide</source>
        <translation>ERROR: invalid status</translation>
    </message>
    <message>
        <source>Aide</source>
        <translation>Help</translation>
    </message>
    <message>
        <source> Annonce</source>
        <translation> Announcement</translation>
    </message>
    <message>
        <source> Der</source>
        <translation> Last trick</translation>
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
        <translation> Bid</translation>
    </message>
    <message>
        <source>Capot</source>
        <translation>Capot</translation>
    </message>
    <message>
        <source>Match</source>
        <translation>Match</translation>
    </message>
    <message>
        <source>%1 de %2</source>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>Vous</source>
        <translation>You</translation>
    </message>
    <message>
        <source>Eux</source>
        <translation>Them</translation>
    </message>
    <message>
        <source>Tour: %1x%2</source>
        <translation>Deal: %1x%2</translation>
    </message>
    <message>
        <source> Plis Adverse</source>
        <translation> Opponents&apos; tricks</translation>
    </message>
    <message>
        <source> Annonces Adverse</source>
        <translation> Opponents&apos; announcements</translation>
    </message>
    <message>
        <source> Der Adverse</source>
        <translation> Opponents&apos; last trick</translation>
    </message>
    <message>
        <source> Adverse</source>
        <translation> opponents</translation>
    </message>
    <message>
        <source>L&apos;ordinateur vous conseille de &apos;Passer&apos;.</source>
        <translation>The computer advises you to &apos;Pass&apos;.</translation>
    </message>
    <message>
        <source>L&apos;ordinateur vous conseille de &apos;Prendre&apos;.</source>
        <translation>The computer advises you to &apos;Take&apos;.</translation>
    </message>
    <message>
        <source>Coincher</source>
        <translation>Coinche</translation>
    </message>
    <message>
        <source>Contrer</source>
        <translation>Double</translation>
    </message>
    <message>
        <source>Surcoincher</source>
        <translation>Surcoinche</translation>
    </message>
    <message>
        <source>Surcontrer</source>
        <translation>Redouble</translation>
    </message>
    <message>
        <source>L&apos;ordinateur vous conseille de choisir &apos;%1 %2&apos;.</source>
        <translation>The computer advises you to choose &apos;%1 %2&apos;.</translation>
    </message>
    <message>
        <source>L&apos;ordinateur vous conseille de &apos;%1&apos;.</source>
        <translation>The computer advises you to &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>L&apos;ordinateur vous conseille de choisir &apos;Capot en %1&apos;.</source>
        <translation>The computer advises you to choose &apos;Capot in %1&apos;.</translation>
    </message>
    <message>
        <source>Si c&apos;est votre partenaire qui prends la main, donnez lui des points (par exemple un dix). Ou alors si vous pouvez prendre le &apos;Pli&apos;, n&apos;hésitez pas et jouez vos &apos;Boques&apos; (cartes gagnantes).</source>
        <translation>If your partner is taking the trick, give them points (a ten, for instance). Or, if you can take the &apos;Trick&apos; yourself, do not hesitate and play your &apos;Boques&apos; (winning cards).</translation>
    </message>
    <message>
        <source>Vous ouvrez le &apos;pli&apos;, car vous avez remporté la main précédente. </source>
        <translation>You lead the &apos;trick&apos;, as you won the previous one. </translation>
    </message>
    <message>
        <source>Comme il reste peu d&apos;atouts, vous devriez jouer vos cartes &apos;Boque&apos; (cartes gagnantes). Si vous n&apos;avez pas de &apos;Boque&apos;, alors tentez de donner la main à votre partenaire, en jouant une carte modeste. </source>
        <translation>As few trumps are left, you should play your &apos;Boque&apos; cards (winning cards). If you have no &apos;Boque&apos;, try to hand the lead to your partner by playing a modest card. </translation>
    </message>
    <message>
        <source>Comme il reste des atout, si vous le pouvez, il est conseillé de faire un nouveau tour en atout. Ainsi vous pourrez jouer vos carte &apos;Boque&apos; (cartes gagnantes) sans risque plus tard. Si vous pensez que ces atouts sont tous chez vous ou votre partenaire, alors vous devriez jouer vos &apos;Boque&apos;, par exemple des as. </source>
        <translation>As trumps are still out, it is wise to lead another round of trumps if you can. You will then be able to play your &apos;Boque&apos; cards (winning cards) safely later. If you think those trumps are all with you or your partner, you should play your &apos;Boque&apos; cards, aces for instance. </translation>
    </message>
    <message>
        <source>Vous pouvez aussi tenter de rendre vos propres cartes gagnantes, par exemple en jouant une petite carte dans une couleur oû vous avez un roi, avec l&apos;espoir qu&apos;un autre joueur joue l&apos;as de la même couleur.</source>
        <translation>You can also try to turn your own cards into winners, for instance by playing a low card in a suit where you hold the king, hoping that another player plays the ace of that suit.</translation>
    </message>
    <message>
        <source>Comme vous n&apos;avez pas fait atout, au début, il est pratique de conserver vos atouts et vos cartes &apos;Boque&apos; (cartes gagnantes). Ensuite, jouez vos atouts lorsque les points sur le tas sont suffisants (par exemple lorsqu&apos;un as s&apos;y trouve). </source>
        <translation>As you did not make trump, it is handy at first to keep your trumps and your &apos;Boque&apos; cards (winning cards). Then play your trumps when there are enough points on the pile (when an ace lies there, for instance). </translation>
    </message>
    <message>
        <source>Si vous le pouvez, jouez vos atouts pour &apos;couper&apos; lorsque les points sur le tas sont suffisants (par exemple lorsqu&apos;un as s&apos;y trouve). En effet, une carte de couleur atout (actuellement &apos;%1&apos;) prends sur toutes les autres couleurs. </source>
        <translation>If you can, play your trumps to &apos;cut&apos; when there are enough points on the pile (when an ace lies there, for instance). A card of the trump suit (now &apos;%1&apos;) beats every other suit. </translation>
    </message>
    <message>
        <source>Comme c&apos;est encore possible, vous devriez tentez le &apos;%1&apos; (remporter toutes les plis), car cela rapporterait %2 points de plus.</source>
        <translation>As it is still possible, you should go for the &apos;%1&apos; (winning every trick), as it would bring %2 more points.</translation>
    </message>
    <message>
        <source>Actuellement, vous risquez le &apos;%1&apos; (perdre toutes les plis). Cela rapporterait %2 points de plus à votre adversaire. Assurez-vous donc de faire au moins une plie.</source>
        <translation>You are now at risk of the &apos;%1&apos; (losing every trick). It would bring your opponents %2 more points, so make sure you take at least one trick.</translation>
    </message>
    <message>
        <source>Il est courant de compter les atouts mentalement, pour savoir quand jouer les &apos;Boque&apos; (cartes gagnantes) sans risque.</source>
        <translation>Players commonly count the trumps in their head, to know when the &apos;Boque&apos; cards (winning cards) can be played safely.</translation>
    </message>
    <message>
        <source>Il reste %1 atout(s) en jeu.</source>
        <translation>%1 trump(s) left in play.</translation>
    </message>
    <message>
        <source>L&apos;ordinateur vous conseille de &apos;Couper&apos; avec &apos;%1&apos;.</source>
        <translation>The computer advises you to &apos;Cut&apos; with &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>L&apos;ordinateur vous conseille de jouer &apos;%1&apos;.</source>
        <translation>The computer advises you to play &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>L&apos;ordinateur vous conseille de choisir &apos;Chibre&apos;, ce qui signifie laisser le choix de l&apos;atout à votre partenaire.</source>
        <translation>The computer advises you to choose &apos;Pass to partner&apos;, which leaves the choice of trump to your partner.</translation>
    </message>
    <message>
        <source>L&apos;ordinateur vous conseille de choisir &apos;%1&apos;.</source>
        <translation>The computer advises you to choose &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Il est conseillé de choisir une couleur dans laquelle vous aurez le bour (%1 d&apos;atout), le nel (Le Neuf d&apos;atout), puis l&apos;as, etc. Plus vous avez d&apos;atout, meilleures sont vos chances.</source>
        <translation>It is wise to choose a suit in which you will hold the Bour (the trump %1), the Nel (the trump nine), then the ace, and so on. The more trumps you hold, the better your chances.</translation>
    </message>
    <message>
        <source>Ce menu vous permet d&apos;obtenir de l&apos;aide sur les règles, le jeu et ses détails, tout au long de la partie.&lt;br&gt;&lt;br&gt;Comme la partie n&apos;est pas débutée, il n&apos;y a actuellement pas d&apos;aide disponible.</source>
        <translation>This menu gives help on the rules, the play and its details, all through the game.&lt;br&gt;&lt;br&gt;As the game has not started yet, no help is available for now.</translation>
    </message>
    <message>
        <source>Vous devez choisir la mise, ou &apos;Passer&apos;. La couleur de cette mise sera celle d&apos;atout, qui surclassera toute les autres. </source>
        <translation>You must choose a bid, or &apos;Pass&apos;. The suit of this bid will be trump, which outranks all the others. </translation>
    </message>
    <message>
        <source>Vous pouvez &apos;Passer&apos; ou choisir l&apos;atout. L&apos;atout sera la couleur qui surclasse toute les autres. </source>
        <translation>You can &apos;Pass&apos; or choose the trump. Trump will be the suit that outranks all the others. </translation>
    </message>
    <message>
        <source>Vous devez choisir l&apos;atout: L&apos;atout sera la couleur qui surclasse toute les autres. </source>
        <translation>You must choose the trump: trump will be the suit that outranks all the others. </translation>
    </message>
    <message>
        <source>&lt;br&gt;&lt;br&gt;Si vous pensez ne pas avoir de bon choix, vous pouvez &apos;Chibrer&apos;. Par contre c&apos;est à éviter si il vous manque une couleur, car il est alors possible que votre partenaire choisisse la couleur qui vous manque, ce qui serait un handicap.</source>
        <translation>&lt;br&gt;&lt;br&gt;If you think you have no good choice, you can &apos;Pass to partner&apos;. Avoid it, however, when you are void in a suit, as your partner might then choose the very suit you lack, which would be a handicap.</translation>
    </message>
    <message>
        <source>Vous commencez le tour: Il est conseillé de faire &apos;tomber les atouts&apos;, pour que vous ou votre partenaire puissiez jouer vos cartes gagnantes plus tard, sans risquer d&apos;être pris par un atout adverse.&lt;br&gt;&lt;br&gt;Au premier tour, il est généralement d&apos;usage de jouer votre atout le plus haut, par exemple le bour (%1), sinon le nel (%2), puis l&apos;as, etc.&lt;br&gt;&lt;br&gt;Ainsi, votre partenaire saura quelle est votre meilleure carte.</source>
        <translation>You lead this round: it is wise to &apos;draw the trumps&apos;, so that you or your partner can play your winning cards later without the risk of being taken by an opposing trump.&lt;br&gt;&lt;br&gt;On the first round, it is usual to play your highest trump, for instance the Bour (%1), otherwise the Nel (%2), then the ace, and so on.&lt;br&gt;&lt;br&gt;That way, your partner will know your best card.</translation>
    </message>
    <message>
        <source>Vous commencez la partie, et il s&apos;agit d&apos;une partie sans atouts de haut en bas. Un coup sans risque est de jouer un as.</source>
        <translation>You lead, and this is a no-trump game from the top down. A safe move is to play an ace.</translation>
    </message>
    <message>
        <source>Vous commencez la partie, et il s&apos;agit d&apos;une partie sans atouts de bas en haut. Un coup sans risque est de jouer un six.</source>
        <translation>You lead, and this is a no-trump game from the bottom up. A safe move is to play a six.</translation>
    </message>
    <message>
        <source>Dans ce jeu, les annonces sont gérées par l&apos;ordinateur. Une annonce est une combinaison de cartes qui rapporte des points au début du jeu.&lt;br&gt;&lt;br&gt;- 3 cartes de couleur identique qui se suivent donnent 20 points&lt;br&gt;- 4 cartes 50 points&lt;br&gt;- 5 cartes 100 points.&lt;br&gt;&lt;br&gt;Les carrés à partir des dix donnent 100 points, sauf les 4 nels (neuf) qui donnent 150 et les 4 bours (valet) qui donnent 200 points.&lt;br&gt;&lt;br&gt;Notez que mémoriser les annonces des autres joueurs permet de connaitre une partie de leur jeu.</source>
        <translation>In this game, the computer handles the announcements. An announcement is a combination of cards that scores points at the start of the hand.&lt;br&gt;&lt;br&gt;- 3 cards of the same suit in sequence give 20 points&lt;br&gt;- 4 cards 50 points&lt;br&gt;- 5 cards 100 points.&lt;br&gt;&lt;br&gt;Four of a kind from the tens up give 100 points, except the 4 Nels (nines), which give 150, and the 4 Bours (jacks), which give 200 points.&lt;br&gt;&lt;br&gt;Note that remembering the other players&apos; announcements tells you part of their hand.</translation>
    </message>
    <message>
        <source>La partie est exceptionnellement terminée avant la fin du tour, car un joueur a fait une annonce qui permet à son équipe de gagner immédiatement.</source>
        <translation>The game has exceptionally ended before the end of the round, as a player made an announcement that lets their team win at once.</translation>
    </message>
    <message>
        <source>Vous avez rejoint la partie en ligne.</source>
        <translation>You have joined the online game.</translation>
    </message>
    <message>
        <source>Vous avez rejoint la partie en ligne &apos;%1&apos;.</source>
        <translation>You have joined the online game &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>De haut en bas</source>
        <translation>Top-down</translation>
    </message>
    <message>
        <source>De bas en haut</source>
        <translation>Bottom-up</translation>
    </message>
    <message>
        <source>Zig-zag avec départ en bas</source>
        <translation>Zig-zag starting from the bottom</translation>
    </message>
    <message>
        <source>Zig-zag avec départ en haut</source>
        <translation>Zig-zag starting from the top</translation>
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
        <translation>%1 and Belote</translation>
    </message>
    <message>
        <source>Stöck</source>
        <translation>Stöck</translation>
    </message>
    <message>
        <source>Un de vos contacts
joue en ligne.</source>
        <translation>One of your contacts
is playing online.</translation>
    </message>
    <message>
        <source>https://fr.wikipedia.org/wiki/Jass</source>
        <translation>https://en.wikipedia.org/wiki/Jass</translation>
    </message>
    <message>
        <source>https://fr.wikipedia.org/wiki/Belote</source>
        <translation>https://en.wikipedia.org/wiki/Belote</translation>
    </message>
    <message>
        <source>Redistribution</source>
        <translation>Redeal</translation>
    </message>
    <message>
        <source>Coinchée</source>
        <translation>Coinchée</translation>
    </message>
    <message>
        <source>Contrée</source>
        <translation>Doubled</translation>
    </message>
    <message>
        <source>Surcoinchée</source>
        <translation>Surcoinchée</translation>
    </message>
    <message>
        <source>Surcontrée</source>
        <translation>Redoubled</translation>
    </message>
    <message>
        <source>, Coinchée %1</source>
        <translation>, Coinchée %1</translation>
    </message>
    <message>
        <source>, Contrée %1</source>
        <translation>, Doubled %1</translation>
    </message>
    <message>
        <source>, Surcoinchée %1</source>
        <translation>, Surcoinchée %1</translation>
    </message>
    <message>
        <source>, Surcontrée %1</source>
        <translation>, Redoubled %1</translation>
    </message>
    <message>
        <source>, Capot</source>
        <translation>, Capot</translation>
    </message>
    <message>
        <source>, Capot Coinché</source>
        <translation>, Capot Coinché</translation>
    </message>
    <message>
        <source>, Capot Contré</source>
        <translation>, Capot Doubled</translation>
    </message>
    <message>
        <source>, Capot Surcoinché</source>
        <translation>, Capot Surcoinché</translation>
    </message>
    <message>
        <source>, Capot Surcontré</source>
        <translation>, Capot Redoubled</translation>
    </message>
    <message>
        <source>Règles du jeu</source>
        <translation>Rules of the game</translation>
    </message>
    <message>
        <source>La Belote se joue à quatre, en deux équipes de deux partenaires assis face à face, avec 32 cartes; chaque joueur en reçoit 8.&lt;br&gt;&lt;br&gt;L&apos;atout est pris sur la carte retournée ou mis aux enchères, selon la variante: l&apos;équipe qui le choisit doit marquer plus de points que l&apos;autre, ou au moins sa mise.&lt;br&gt;&lt;br&gt;Chacun doit jouer la couleur demandée s&apos;il en a, sinon couper avec un atout. La carte la plus forte remporte le pli, et l&apos;atout bat toutes les autres couleurs. Le roi et la dame d&apos;atout rapportent 20 points (&apos;Belote&apos;, &apos;Rebelote&apos;).</source>
        <translation>Belote is played by four, in two teams of two partners sitting face to face, with 32 cards; each player gets 8.&lt;br&gt;&lt;br&gt;Trump is taken on the turned card or bid at an auction, depending on the variant: the team that chooses it must score more points than the other, or at least its bid.&lt;br&gt;&lt;br&gt;Everyone must follow the suit led if they can, otherwise trump. The highest card wins the trick, and trump beats every other suit. The king and queen of trumps score 20 points (&apos;Belote&apos;, &apos;Rebelote&apos;).</translation>
    </message>
    <message>
        <source>Le Jass se joue à quatre, en deux équipes de deux partenaires assis face à face, avec 36 cartes; chaque joueur en reçoit 9.&lt;br&gt;&lt;br&gt;Le joueur qui commence choisit l&apos;atout, ou en laisse le choix à son partenaire (&apos;Chibrer&apos;).&lt;br&gt;&lt;br&gt;Chacun doit jouer la couleur demandée s&apos;il en a, ou peut couper avec un atout. La carte la plus forte remporte le pli, et l&apos;atout bat toutes les autres couleurs. La première équipe qui atteint le nombre de points fixé gagne la partie.</source>
        <translation>Jass is played by four, in two teams of two partners sitting face to face, with 36 cards; each player gets 9.&lt;br&gt;&lt;br&gt;The player who begins chooses trump, or leaves the choice to the partner (&apos;Pass to partner&apos;).&lt;br&gt;&lt;br&gt;Everyone must follow the suit led if they can, or may trump. The highest card wins the trick, and trump beats every other suit. The first team to reach the set number of points wins the match.</translation>
    </message>
</context>
<context>
    <name>Evenements</name>
    <message>
        <source>Evènements de la table %1</source>
        <translation>Events of table %1</translation>
    </message>
    <message>
        <source>En attente</source>
        <translation>Waiting</translation>
    </message>
    <message>
        <source>Exécutés</source>
        <translation>Executed</translation>
    </message>
</context>
<context>
    <name>FormBugQuestionnaire</name>
    <message>
        <source>Décrivez ce que vous avez vu</source>
        <translation>Describe what you saw</translation>
    </message>
    <message>
        <source>Ce qui aurait dû se passer</source>
        <translation>What should have happened</translation>
    </message>
    <message>
        <source>Le problème se reproduit</source>
        <translation>The problem happens again</translation>
    </message>
    <message>
        <source>Créer le rapport</source>
        <translation>Create the report</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Rapport de bug</source>
        <translation>Bug report</translation>
    </message>
    <message>
        <source>Une image de la table a été prise. Quelques mots nous aident à trouver le problème; le rapport reste sur cet appareil.</source>
        <translation>A picture of the table has been taken. A few words help us find the problem; the report stays on this device.</translation>
    </message>
    <message>
        <source>Règles du jeu</source>
        <translation>Game rules</translation>
    </message>
    <message>
        <source>Affichage</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>Réseau</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>Plantage ou blocage</source>
        <translation>Crash or freeze</translation>
    </message>
    <message>
        <source>Autre</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>Genre de problème</source>
        <translation>Kind of problem</translation>
    </message>
    <message>
        <source>Que s&apos;est-il passé?</source>
        <translation>What happened?</translation>
    </message>
    <message>
        <source>Qu&apos;attendiez-vous?</source>
        <translation>What did you expect?</translation>
    </message>
</context>
<context>
    <name>FormDebugOptions</name>
    <message>
        <source>Changer le mode d&apos;affichage</source>
        <translation>Switch the drawing mode</translation>
    </message>
    <message>
        <source>Tester les messages réseau</source>
        <translation>Test the network messages</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Options de débogage</source>
        <translation>Debug options</translation>
    </message>
    <message>
        <source>Si la table s&apos;affiche mal (cartes qui disparaissent, traces), le mode de secours redessine tout à chaque image: plus lent, mais plus sûr. Un second appui revient au mode normal.</source>
        <translation>If the table is drawn badly (cards vanishing, leftover marks), the fallback mode redraws everything on each frame: slower, but safer. Pressing again goes back to the normal mode.</translation>
    </message>
</context>
<context>
    <name>FormTutorialEnter</name>
    <message>
        <source>Ne plus afficher ce message</source>
        <translation>Do not show this message again</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Passer</source>
        <translation>Skip</translation>
    </message>
    <message>
        <source>Bienvenue</source>
        <translation>Welcome</translation>
    </message>
    <message>
        <source>Bienvenue à la table!</source>
        <translation>Welcome to the table!</translation>
    </message>
    <message>
        <source>Comment voulez-vous commencer?</source>
        <translation>How would you like to start?</translation>
    </message>
    <message>
        <source>Je connais le jeu: jouons!</source>
        <translation>I know the game: let&apos;s play!</translation>
    </message>
    <message>
        <source>Je débute: montrez-moi les cartes jouables et les conseils</source>
        <translation>I&apos;m new: show me the playable cards and tips</translation>
    </message>
    <message>
        <source>Expliquez-moi d&apos;abord les règles</source>
        <translation>Explain the rules to me first</translation>
    </message>
</context>
<context>
    <name>GM_Achievements</name>
    <message>
        <source>Classement</source>
        <translation>Ranking</translation>
    </message>
    <message>
        <source>Titre</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>Atteint</source>
        <translation>Reached</translation>
    </message>
    <message>
        <source>Le</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Prochain</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Rafraichir</source>
        <translation>Refresh</translation>
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
        <translation>Send</translation>
    </message>
    <message>
        <source>Rejoins nous sur Discord: </source>
        <translation>Join us on Discord: </translation>
    </message>
    <message>
        <source>&lt;Vous&gt; %1</source>
        <translation>&lt;You&gt; %1</translation>
    </message>
</context>
<context>
    <name>GM_ClientSocket</name>
    <message>
        <source>Création du compte...</source>
        <translation>Creating the account...</translation>
    </message>
    <message>
        <source>Demande du mot de passe...</source>
        <translation>Asking for the password...</translation>
    </message>
    <message>
        <source>Connexion au serveur du lobby...</source>
        <translation>Connecting to the lobby server...</translation>
    </message>
    <message>
        <source>Déconnection...</source>
        <translation>Disconnecting...</translation>
    </message>
    <message>
        <source>Serveur du lobby indisponible</source>
        <translation>Lobby server unavailable</translation>
    </message>
    <message>
        <source>Impossible de joindre le serveur du lobby.&lt;br&gt;%1</source>
        <translation>The lobby server cannot be reached.&lt;br&gt;%1</translation>
    </message>
    <message>
        <source>Erreur du lobby</source>
        <translation>Lobby error</translation>
    </message>
    <message>
        <source>Le serveur du lobby a envoyé un message invalide; la connexion a été fermée.</source>
        <translation>The lobby server sent an invalid message; the connection was closed.</translation>
    </message>
    <message>
        <source>Le serveur ne répond pas.</source>
        <translation>The server does not answer.</translation>
    </message>
    <message>
        <source>Identification...</source>
        <translation>Logging in...</translation>
    </message>
    <message>
        <source>L&apos;adresse email ou le mot de passe est incorrect.</source>
        <translation>The e-mail address or the password is wrong.</translation>
    </message>
    <message>
        <source>Connexion refusée</source>
        <translation>Connection refused</translation>
    </message>
    <message>
        <source>Ce compte est bloqué.</source>
        <translation>This account is locked.</translation>
    </message>
    <message>
        <source>Compte bloqué</source>
        <translation>Account locked</translation>
    </message>
    <message>
        <source>Le compte a été créé. Un courriel de confirmation vous a été envoyé.</source>
        <translation>The account was created. A confirmation e-mail was sent to you.</translation>
    </message>
    <message>
        <source>Le compte n&apos;a pas pu être créé.</source>
        <translation>The account could not be created.</translation>
    </message>
    <message>
        <source>Le mot de passe a été envoyé à votre adresse email.</source>
        <translation>The password was sent to your e-mail address.</translation>
    </message>
    <message>
        <source>Aucun compte n&apos;existe pour cette adresse email.</source>
        <translation>No account exists for this e-mail address.</translation>
    </message>
    <message>
        <source>Nouveau compte</source>
        <translation>New account</translation>
    </message>
    <message>
        <source>Mot de passe oublié</source>
        <translation>Forgotten password</translation>
    </message>
    <message>
        <source>Le serveur du lobby a fermé la session.</source>
        <translation>The lobby server closed the session.</translation>
    </message>
    <message>
        <source>Session terminée</source>
        <translation>Session ended</translation>
    </message>
    <message>
        <source>Nouveau titre</source>
        <translation>New title</translation>
    </message>
    <message>
        <source>Félicitations! Vous avez obtenu le titre &lt;b&gt;%1&lt;/b&gt;.</source>
        <translation>Congratulations! You have earned the title &lt;b&gt;%1&lt;/b&gt;.</translation>
    </message>
    <message>
        <source>Félicitations! Vous avez obtenu d&apos;autres titres (%1 de plus). L&apos;onglet Titres les montre tous.</source>
        <translation>Congratulations! You have earned more titles (%1 more). The Titles tab shows them all.</translation>
    </message>
    <message>
        <source>Pas de réponse du lobby</source>
        <translation>No answer from the lobby</translation>
    </message>
    <message>
        <source>Le serveur du lobby n&apos;a pas répondu à une demande en %1 secondes; elle a été abandonnée. Vous pouvez réessayer.</source>
        <translation>The lobby server did not answer a request within %1 seconds; it was given up. You can try again.</translation>
    </message>
    <message>
        <source>Annonce</source>
        <translation>Announcement</translation>
    </message>
    <message>
        <source>Serveur du lobby injoignable</source>
        <translation>Lobby server out of reach</translation>
    </message>
    <message>
        <source>La connexion au serveur du lobby a été perdue et n&apos;a pas pu être rétablie (%1 tentatives).</source>
        <translation>The connection to the lobby server was lost and could not be restored (%1 attempts).</translation>
    </message>
    <message>
        <source>Connexion perdue</source>
        <translation>Connection lost</translation>
    </message>
    <message>
        <source>La connexion au serveur du lobby a été perdue.</source>
        <translation>The connection to the lobby server was lost.</translation>
    </message>
</context>
<context>
    <name>GM_Download</name>
    <message>
        <source>Mise à jour</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Erreur lors de l&apos;écriture du fichier &apos;%1&apos;: %2.</source>
        <translation>Error while writing the file &apos;%1&apos;: %2.</translation>
    </message>
    <message>
        <source>Téléchargement en cours</source>
        <translation>Downloading</translation>
    </message>
    <message>
        <source>Pourcentage %1%...</source>
        <translation>%1% done...</translation>
    </message>
    <message>
        <source>Echec du téléchargement: %1.</source>
        <translation>Download failed: %1.</translation>
    </message>
    <message>
        <source>Redirection innatendue</source>
        <translation>Unexpected redirection</translation>
    </message>
</context>
<context>
    <name>GM_Exception</name>
    <message>
        <source>Ce fichier est corrompu.</source>
        <translation>This file is corrupted.</translation>
    </message>
    <message>
        <source>Ce fichier n&apos;est pas compatible avec votre version du jeu.</source>
        <translation>This file is not compatible with your version of the game.</translation>
    </message>
</context>
<context>
    <name>GM_FriendsList</name>
    <message>
        <source>A confirmer par</source>
        <translation>To be confirmed by</translation>
    </message>
    <message>
        <source>A confirmer</source>
        <translation>To confirm</translation>
    </message>
    <message>
        <source>Décliné</source>
        <translation>Declined</translation>
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
        <translation>Busy</translation>
    </message>
    <message>
        <source>Liste d&apos;amis</source>
        <translation>Friends list</translation>
    </message>
    <message>
        <source>Jouer</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Gérer amis</source>
        <translation>Manage friends</translation>
    </message>
    <message>
        <source>Chercher amis</source>
        <translation>Find friends</translation>
    </message>
    <message>
        <source>Inviter sur serveur</source>
        <translation>Invite to a server</translation>
    </message>
    <message>
        <source>Privé</source>
        <translation>Private</translation>
    </message>
    <message>
        <source>Public</source>
        <translation>Public</translation>
    </message>
    <message>
        <source>Confirmer</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Enlever</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Sel.</source>
        <translation>Sel.</translation>
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
        <translation>Nickname</translation>
    </message>
    <message>
        <source>Data(hidden)</source>
        <translation>Data(hidden)</translation>
    </message>
    <message>
        <source>&lt;Liste vide&gt;</source>
        <translation>&lt;Empty list&gt;</translation>
    </message>
    <message>
        <source>Trop de joueurs</source>
        <translation>Too many players</translation>
    </message>
    <message>
        <source>Il n&apos;est pas possible d&apos;inviter plus de 4 joueurs à la fois. Merci de choisir moins de joueurs.</source>
        <translation>No more than 4 players can be invited at once. Please choose fewer players.</translation>
    </message>
    <message>
        <source>&lt;Chargement en cours ...&gt;</source>
        <translation>&lt;Loading ...&gt;</translation>
    </message>
    <message>
        <source>Connection en cours...</source>
        <translation>Connecting...</translation>
    </message>
</context>
<context>
    <name>GM_Login</name>
    <message>
        <source>Login</source>
        <translation>Login</translation>
    </message>
    <message>
        <source>Connection automatique</source>
        <translation>Connect automatically</translation>
    </message>
    <message>
        <source>J&apos;ai déjà un compte</source>
        <translation>I already have an account</translation>
    </message>
    <message>
        <source>Obtenir un compte (gratuit et immédiat)</source>
        <translation>Get an account (free and immediate)</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>Pseudo (nom qui apparaitra aux autres joueurs, min 4 char.)</source>
        <translation>Nickname (the name other players see, at least 4 characters)</translation>
    </message>
    <message>
        <source>Mot de passe (min. 5 char.)</source>
        <translation>Password (at least 5 characters)</translation>
    </message>
    <message>
        <source>Confirmer le mot de passe</source>
        <translation>Confirm the password</translation>
    </message>
    <message>
        <source>Envoyer</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
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
        <translation>Check that the information above is correct, then press &quot;Send&quot; to send the request.

You will then receive an e-mail with a confirmation link.

Please note:
-The author does not sell your e-mail address and respects the laws on confidentiality and privacy.
-Creating the account subscribes you to at least one issue of the newsletter, which can then be turned off as the law provides.
-Abuse may lead to a permanent ban from online games.
-Although the online services are kept at the best possible level, no service is guaranteed.</translation>
    </message>
    <message>
        <source>Mot de passe oublié (envoi par email)</source>
        <translation>Forgotten password (sent by e-mail)</translation>
    </message>
    <message>
        <source>Connecter</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Connectez vous pour pouvoir jouer avec vos amis ou sauver vos statistiques. 

Garanti sans supplément et sans aucun risque.</source>
        <translation>Log in to play with your friends or keep your statistics.

No extra cost and no risk.</translation>
    </message>
</context>
<context>
    <name>GM_NativeDiscord</name>
    <message>
        <source>Points: %1, Adv: %2%3</source>
        <translation>Points: %1, Opp: %2%3</translation>
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
        <translation>Change my password</translation>
    </message>
    <message>
        <source>Supprimer mon compte</source>
        <translation>Delete my account</translation>
    </message>
    <message>
        <source>Voir mes données</source>
        <translation>See my data</translation>
    </message>
    <message>
        <source>Succès</source>
        <translation>Success</translation>
    </message>
    <message>
        <source>Votre mot de passe a été changé.</source>
        <translation>Your password has been changed.</translation>
    </message>
    <message>
        <source>Echec</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>Le changement a échoué car l&apos;ancien mot de passe est incorrect.</source>
        <translation>The change failed: the old password is wrong.</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Après cette confirmation, vous recevrez un courriel contenant vos données. Pour éviter les abus, cette opération n&apos;est autorisée qu&apos;une fois par semaine.

Souhaitez-vous continuer?</source>
        <translation>Once you confirm, you will receive an e-mail containing your data. To prevent abuse, this is allowed only once a week.

Do you want to continue?</translation>
    </message>
    <message>
        <source>Suppression du compte</source>
        <translation>Account deletion</translation>
    </message>
    <message>
        <source>Après cette confirmation, vous recevrez un courriel avec un lien à cliquer pour définitivement supprimer vos données. Cette opération est irréversible. De plus, pour éviter les abus, il n&apos;est plus possible de s&apos;inscrire avec ce courriel ensuite, pour une durée de deux mois.

Souhaitez-vous vraiment effacer votre accompte, contenant vos amis, succès, résultats, etc.?</source>
        <translation>Once you confirm, you will receive an e-mail with a link to click to delete your data for good. This cannot be undone. Moreover, to prevent abuse, this e-mail address cannot be used to sign up again for two months.

Do you really want to delete your account, with your friends, achievements, results, etc.?</translation>
    </message>
    <message>
        <source>La demande a été exécutée. Merci de vérifier votre courriel. 

Si vous n&apos;avez rien reçu après un certain temps, n&apos;oubliez pas de vérifier votre boite spam.</source>
        <translation>The request has been carried out. Please check your e-mail. 

If nothing arrives after a while, remember to check your spam folder.</translation>
    </message>
    <message>
        <source>La demande ne peut pas être traitée car le serveur de courriel rencontre un problème actuellement. Merci de réessayer plus tard. Si le problème persiste, n&apos;hésitez pas à contacter notre support.</source>
        <translation>The request cannot be handled, as the mail server currently has a problem. Please try again later. If the problem persists, feel free to contact our support.</translation>
    </message>
    <message>
        <source>La demande ne peut pas être traitée car il y a déjà eu une requête récemment. Si vous attendiez un résultat qui n&apos;est pas arrivé, il se peut qu&apos;il soit dans votre boite spam. Sinon, merci de réessayer d&apos;ici quelque temps.</source>
        <translation>The request cannot be handled, as there was already a request recently. If you were waiting for a result that did not arrive, it may be in your spam folder. Otherwise, please try again in a while.</translation>
    </message>
    <message>
        <source>La demande ne peut pas être traitée car il y a déjà une demande en cours. Si vous attendiez un résultat qui n&apos;est pas arrivé, il se peut qu&apos;il soit dans votre boite spam. Sinon, merci de réessayer plus tard.</source>
        <translation>The request cannot be handled, as another request is already in progress. If you were waiting for a result that did not arrive, it may be in your spam folder. Otherwise, please try again later.</translation>
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
        <translation>Old password</translation>
    </message>
    <message>
        <source>Nouveau mot de passe (min. 5 char.)</source>
        <translation>New password (min. 5 char.)</translation>
    </message>
    <message>
        <source>Envoyer</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>GM_Progress</name>
    <message>
        <source>Connection en cours</source>
        <translation>Connecting</translation>
    </message>
    <message>
        <source>&lt;Progress&gt;</source>
        <translation>&lt;Progress&gt;</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>GM_Scores</name>
    <message>
        <source>Classement</source>
        <translation>Ranking</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Pseudo</source>
        <translation>Nickname</translation>
    </message>
    <message>
        <source>Jouées</source>
        <translation>Played</translation>
    </message>
    <message>
        <source>Gagnées</source>
        <translation>Won</translation>
    </message>
    <message>
        <source>Total Points</source>
        <translation>Total points</translation>
    </message>
    <message>
        <source>Constitué des parties de moins de 6 mois.</source>
        <translation>Made of the games of the last 6 months.</translation>
    </message>
    <message>
        <source>Classement complet en ligne</source>
        <translation>Full ranking online</translation>
    </message>
    <message>
        <source>SQL</source>
        <translation>SQL</translation>
    </message>
    <message>
        <source>Execute</source>
        <translation>Execute</translation>
    </message>
</context>
<context>
    <name>GM_SearchFriends</name>
    <message>
        <source>Pseudo:</source>
        <translation>Nickname:</translation>
    </message>
    <message>
        <source>Chercher des amis</source>
        <translation>Find friends</translation>
    </message>
    <message>
        <source>Importer Carnet</source>
        <translation>Import contacts</translation>
    </message>
    <message>
        <source>Rechercher</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Ajouter</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Pseudo</source>
        <translation>Nickname</translation>
    </message>
    <message>
        <source>Id</source>
        <translation>Id</translation>
    </message>
    <message>
        <source>&lt;Recherche en cours...&gt;</source>
        <translation>&lt;Searching...&gt;</translation>
    </message>
    <message>
        <source>&lt;Aucun nouveau résultat trouvé&gt;</source>
        <translation>&lt;No new result found&gt;</translation>
    </message>
    <message>
        <source>&lt;Accès aux contacts refusé&gt;</source>
        <translation>&lt;Access to contacts denied&gt;</translation>
    </message>
    <message>
        <source>&lt;Liste vide&gt;</source>
        <translation>&lt;Empty list&gt;</translation>
    </message>
    <message>
        <source>Notification</source>
        <translation>Notification</translation>
    </message>
    <message>
        <source>Votre liste de contacts a changé depuis votre dernière connection.

Souhaitez-vous importer vos nouveaux contacts maintenant?</source>
        <translation>Your contact list has changed since you last connected.

Do you want to import your new contacts now?</translation>
    </message>
    <message>
        <source>&lt;Liste Vide&gt;</source>
        <translation>&lt;Empty list&gt;</translation>
    </message>
    <message>
        <source>Permissions Manquantes</source>
        <translation>Missing permissions</translation>
    </message>
    <message>
        <source>Les permissions &apos;CONTACTS&apos; n&apos;ont pas été accordées. L&apos;importation de vos amis devra se faire manuellement.</source>
        <translation>The &apos;CONTACTS&apos; permissions were not granted. Your friends will have to be added by hand.</translation>
    </message>
    <message>
        <source>Pour régler ce problème, accordez les permissions &apos;CONTACTS&apos; voulues dans &apos;Paramètres\Applications&apos; de votre téléphone, ou réinstallez l&apos;application.</source>
        <translation>To solve this, grant the &apos;CONTACTS&apos; permissions in your phone&apos;s &apos;Settings\Apps&apos;, or install the application again.</translation>
    </message>
</context>
<context>
    <name>GM_ServerList</name>
    <message>
        <source>Ce serveur n&apos;est plus disponible.</source>
        <translation>This server is no longer available.</translation>
    </message>
    <message>
        <source>Liste des serveurs</source>
        <translation>Server list</translation>
    </message>
    <message>
        <source>Déconnecter</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>Retour</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Serveur indisponible</source>
        <translation>Server unavailable</translation>
    </message>
    <message>
        <source>Le mot de passe est invalide ou alors ce serveur n&apos;est plus disponible.</source>
        <translation>The password is wrong, or this server is no longer available.</translation>
    </message>
    <message>
        <source>Serveur &apos;%1&apos;</source>
        <translation>Server &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Tournoi &apos;%1&apos;</source>
        <translation>Tournament &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Serveur privé</source>
        <translation>Private server</translation>
    </message>
    <message>
        <source>Héberge un serveur privé</source>
        <translation>Hosts a private server</translation>
    </message>
    <message>
        <source>Server Message</source>
        <translation>Server message</translation>
    </message>
    <message>
        <source>Vous devez mettre à jour votre application pour vous connecter.

Souhaitez-vous télécharger la nouvelle version maintenant?</source>
        <translation>You must update your application to connect.

Do you want to download the new version now?</translation>
    </message>
    <message>
        <source>Mise à jour</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Erreur lors de l&apos;écriture du fichier &apos;%1&apos;: %2.</source>
        <translation>Error while writing the file &apos;%1&apos;: %2.</translation>
    </message>
    <message>
        <source>aucun dossier temporaire n&apos;est accessible</source>
        <translation>no temporary folder is available</translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Le fichier requis n&apos;a pas pu être ouvert automatiquement. Merci de vous rendre sur &apos;</source>
        <translation>The file could not be opened automatically. Please go to &apos;</translation>
    </message>
    <message>
        <source>&apos; à la section &apos;Télécharger&apos; et d&apos;installer la nouvelle version depuis cet endroit.</source>
        <translation>&apos;, to the &apos;Download&apos; section, and install the new version from there.</translation>
    </message>
    <message>
        <source>Amis</source>
        <translation>Friends</translation>
    </message>
    <message>
        <source>Serv.</source>
        <translation>Serv.</translation>
    </message>
    <message>
        <source>Tourn.</source>
        <translation>Tourn.</translation>
    </message>
    <message>
        <source>Class.</source>
        <translation>Rank.</translation>
    </message>
    <message>
        <source>Stat.</source>
        <translation>Stat.</translation>
    </message>
    <message>
        <source>Titres</source>
        <translation>Titles</translation>
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
        <translation>Lobby connection restored.</translation>
    </message>
    <message>
        <source>Connexion au lobby perdue.</source>
        <translation>Lobby connection lost.</translation>
    </message>
    <message>
        <source>Connexion au lobby perdue: nouvelle tentative %1 sur %2 dans %3 s.</source>
        <translation>Lobby connection lost: attempt %1 of %2 in %3 s.</translation>
    </message>
</context>
<context>
    <name>GM_ServerPass</name>
    <message>
        <source>Mot de passe requis</source>
        <translation>Password required</translation>
    </message>
    <message>
        <source>Entrer le mot de passe requis:</source>
        <translation>Enter the required password:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Sel.</source>
        <translation>Sel.</translation>
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
        <translation>Nickname</translation>
    </message>
    <message>
        <source>Data(hidden)</source>
        <translation>Data(hidden)</translation>
    </message>
    <message>
        <source>Coéquipier (facultatif)</source>
        <translation>Teammate (optional)</translation>
    </message>
    <message>
        <source>Coéquipier (obligatoire)</source>
        <translation>Teammate (required)</translation>
    </message>
    <message>
        <source>Connection en cours...</source>
        <translation>Connecting...</translation>
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
        <translation>Busy</translation>
    </message>
    <message>
        <source>&lt;Liste vide&gt;</source>
        <translation>&lt;Empty list&gt;</translation>
    </message>
</context>
<context>
    <name>GM_Stats</name>
    <message>
        <source>Rafraichir</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Classement</source>
        <translation>Ranking</translation>
    </message>
    <message>
        <source>Tot (Moy, Max)</source>
        <translation>Tot (Avg, Max)</translation>
    </message>
    <message>
        <source>Vous</source>
        <translation>You</translation>
    </message>
    <message>
        <source>Global</source>
        <translation>Overall</translation>
    </message>
</context>
<context>
    <name>GM_TablesList</name>
    <message>
        <source>Liste des tables</source>
        <translation>Table list</translation>
    </message>
    <message>
        <source>Bienvenue dans la section Multijoueurs.

C&apos;est gratuit, vous pouvez joindre et quitter une partie à tout moment. Toutefois, pour éviter les abus, une pénalité est appliquée sur votre score en ligne, si vous ne complétez pas au moins une partie entière.</source>
        <translation>Welcome to the multiplayer section.

It is free, and you can join and leave a game at any time. To prevent abuse, however, a penalty is applied to your online score if you do not complete at least one whole game.</translation>
    </message>
    <message>
        <source>Tables</source>
        <translation>Tables</translation>
    </message>
    <message>
        <source>Public</source>
        <translation>Public</translation>
    </message>
    <message>
        <source>Hôte</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>Id</source>
        <translation>Id</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Seats</translation>
    </message>
    <message>
        <source>Rejoindre</source>
        <translation>Join</translation>
    </message>
    <message>
        <source>Rafraichir</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Montrer les serveurs avec d&apos;autres règles</source>
        <translation>Show servers with other rules</translation>
    </message>
    <message>
        <source>Connection en cours...</source>
        <translation>Connecting...</translation>
    </message>
    <message>
        <source>%1 places</source>
        <translation>%1 seats</translation>
    </message>
    <message>
        <source>Joueurs en ligne: %1</source>
        <translation>Players online: %1</translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Liste des serveurs invalide ou corrompue.</source>
        <translation>Server list invalid or corrupt.</translation>
    </message>
    <message>
        <source>Tables Libres: %1<byte value="xd"/>
Tables Occupées: %2</source>
        <translation>Free tables: %1<byte value="xd"/>
Busy tables: %2</translation>
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
        <translation>Current:</translation>
    </message>
    <message>
        <source>Passés:</source>
        <translation>Past:</translation>
    </message>
    <message>
        <source>Jouer</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Leave</translation>
    </message>
    <message>
        <source>S&apos;inscrire</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>Montrer les serveurs avec d&apos;autres règles</source>
        <translation>Show servers with other rules</translation>
    </message>
    <message>
        <source>Tournoi</source>
        <translation>Tournament</translation>
    </message>
    <message>
        <source>Plac.</source>
        <translation>Seats</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Part.</source>
        <translation>Players</translation>
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
        <translation>State</translation>
    </message>
    <message>
        <source>isPasswordProtected</source>
        <translation>isPasswordProtected</translation>
    </message>
    <message>
        <source>Règles</source>
        <translation>Rules</translation>
    </message>
    <message>
        <source>Résultats</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>Rule</source>
        <translation>Rule</translation>
    </message>
    <message>
        <source>En cours</source>
        <translation>Running</translation>
    </message>
    <message>
        <source>Planifié</source>
        <translation>Planned</translation>
    </message>
    <message>
        <source>Terminé</source>
        <translation>Finished</translation>
    </message>
    <message>
        <source>Tournoi en cours</source>
        <translation>Tournament running</translation>
    </message>
    <message>
        <source>Le tournoi &apos;%1&apos; a commencé. Souhaitez-vous joindre la partie?</source>
        <translation>The tournament &apos;%1&apos; has begun. Do you want to join the game?</translation>
    </message>
    <message>
        <source>Echec</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>La partie n&apos;est plus disponible, ou le mot de passe est invalide.</source>
        <translation>The game is no longer available, or the password is wrong.</translation>
    </message>
    <message>
        <source>La partie n&apos;est plus disponible, ou le mot de passe est invalide ou le coéquipier n&apos;est pas disponible.</source>
        <translation>The game is no longer available, the password is wrong, or the teammate is not available.</translation>
    </message>
    <message>
        <source>Commande Inconnue</source>
        <translation>Unknown command</translation>
    </message>
    <message>
        <source>La commande &apos;%1&apos; est inconnue</source>
        <translation>The command &apos;%1&apos; is unknown</translation>
    </message>
    <message>
        <source>Tournoi Inconnu</source>
        <translation>Unknown tournament</translation>
    </message>
    <message>
        <source>Le tournoi avec l&apos;id &apos;%1&apos; n&apos;a pas été trouvé</source>
        <translation>The tournament with the id &apos;%1&apos; was not found</translation>
    </message>
</context>
<context>
    <name>JoueurHumain</name>
    <message>
        <source>Analyse &apos;</source>
        <translation>Analysis &apos;</translation>
    </message>
    <message>
        <source>Le joueur est remplacé par l&apos;ordinateur, car il n&apos;a pas joué dans les délais impartis.</source>
        <translation>The player is replaced by the computer, having not played in the time allowed.</translation>
    </message>
    <message>
        <source>Temps écoulé.
(Encore %1 fois avant exclusion).</source>
        <translation>Time is up.
(%1 more times before exclusion).</translation>
    </message>
    <message>
        <source>L&apos;ordinateur a joué à la place du joueur (avec pénalité), car le délai était écoulé.</source>
        <translation>The computer played for the player (with a penalty), as the time was up.</translation>
    </message>
    <message>
        <source>Temps restant %1[s] avant pénalité.</source>
        <translation>%1[s] left before a penalty.</translation>
    </message>
    <message>
        <source>Dedans: %1, </source>
        <translation>Failed: %1, </translation>
    </message>
    <message>
        <source>Capot(s)</source>
        <translation>Capot(s)</translation>
    </message>
    <message>
        <source>Match(s)</source>
        <translation>Match(es)</translation>
    </message>
    <message>
        <source>Annonces: %1[pts], Plis: %2[pts], %3: %4, %5Total: %6&lt;br&gt;&lt;br&gt;</source>
        <translation>Announcements: %1[pts], Tricks: %2[pts], %3: %4, %5Total: %6&lt;br&gt;&lt;br&gt;</translation>
    </message>
    <message>
        <source>Annonces: %1[pts], Plis: %2[pts], %3: %4, %5Total: %6&lt;br&gt;</source>
        <translation>Announcements: %1[pts], Tricks: %2[pts], %3: %4, %5Total: %6&lt;br&gt;</translation>
    </message>
    <message>
        <source>Vous êtes ex-aequo!</source>
        <translation>It is a tie!</translation>
    </message>
    <message>
        <source>Bien joué. Vous avez gagné!</source>
        <translation>Well played. You won!</translation>
    </message>
    <message>
        <source>Désolé. Vous avez perdu!</source>
        <translation>Sorry. You lost!</translation>
    </message>
    <message>
        <source>Statistiques pour votre équipe:&lt;br&gt;</source>
        <translation>Statistics of your team:&lt;br&gt;</translation>
    </message>
    <message>
        <source>Statistiques pour vous (partie partielle):&lt;br&gt;</source>
        <translation>Your statistics (part of the game):&lt;br&gt;</translation>
    </message>
    <message>
        <source>Equipe adverse:&lt;br&gt;</source>
        <translation>Opposing team:&lt;br&gt;</translation>
    </message>
    <message>
        <source>Vous êtes &apos;rubicon&apos;, car vous avez marqué moins de la moitié des %1 points.</source>
        <translation>You are &apos;rubicon&apos;: you scored less than half of the %1 points.</translation>
    </message>
    <message>
        <source>Vos adversaires sont &apos;rubicon&apos;, car ils ont marqué moins de la moitié des %1 points.</source>
        <translation>Your opponents are &apos;rubicon&apos;: they scored less than half of the %1 points.</translation>
    </message>
    <message>
        <source>Astuce: Pour sauver ces statistiques en ligne et obtenir des &apos;Titres&apos;, connectez-vous sur le serveur (Menu &apos;Jouer en ligne&apos;) avant la fin de la partie.</source>
        <translation>Tip: to keep these statistics online and earn &apos;Titles&apos;, log in to the server (menu &apos;Play online&apos;) before the game ends.</translation>
    </message>
    <message>
        <source>Fin de partie.</source>
        <translation>End of the game.</translation>
    </message>
    <message>
        <source>Voulez vous faire une autre partie en ligne?</source>
        <translation>Do you want to play another online game?</translation>
    </message>
</context>
<context>
    <name>MessageBoxGl</name>
    <message>
        <source>Aide</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Règles plus détaillées: </source>
        <translation>More detailed rules: </translation>
    </message>
    <message>
        <source>Oui</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Non</source>
        <translation>No</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>OptionsPartie</name>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Partie</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>Règles</source>
        <translation>Rules</translation>
    </message>
    <message>
        <source>Ordinateurs</source>
        <translation>Computers</translation>
    </message>
    <message>
        <source>Affichage</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>Saisons</source>
        <translation>Seasons</translation>
    </message>
    <message>
        <source>Type de jeu</source>
        <translation>Game type</translation>
    </message>
    <message>
        <source>Personalisé</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>Type de partie</source>
        <translation>Match type</translation>
    </message>
    <message>
        <source>Standart</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Concours</source>
        <translation>Competition</translation>
    </message>
    <message>
        <source>Coiffeur</source>
        <translation>Coiffeur</translation>
    </message>
    <message>
        <source>Tournoi</source>
        <translation>Tournament</translation>
    </message>
    <message>
        <source>Règles du type Personalisé</source>
        <translation>Custom type rules</translation>
    </message>
    <message>
        <source>Jass 9 Cartes</source>
        <translation>Jass 9 cards</translation>
    </message>
    <message>
        <source>Belote 8 Cartes</source>
        <translation>Belote 8 cards</translation>
    </message>
    <message>
        <source>Contrat</source>
        <translation>Contract</translation>
    </message>
    <message>
        <source>Chibre</source>
        <translation>Pass to partner</translation>
    </message>
    <message>
        <source>Fixe</source>
        <translation>Fixed</translation>
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
        <translation>Announcements</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Manuelles</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>Désactivées</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Roi et Dame</source>
        <translation>King and queen</translation>
    </message>
    <message>
        <source>Désactivé</source>
        <translation>Off</translation>
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
        <translation>Dealing</translation>
    </message>
    <message>
        <source>Aléatoire</source>
        <translation>Random</translation>
    </message>
    <message>
        <source>Coupe Donne Préc.</source>
        <translation>Cut prev. hand</translation>
    </message>
    <message>
        <source>Décompte points</source>
        <translation>Point count</translation>
    </message>
    <message>
        <source>Faits</source>
        <translation>Made</translation>
    </message>
    <message>
        <source>Annoncés</source>
        <translation>Bid</translation>
    </message>
    <message>
        <source>Faits + Annoncés</source>
        <translation>Made + bid</translation>
    </message>
    <message>
        <source>Aucun</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>Arrondi</source>
        <translation>Rounding</translation>
    </message>
    <message>
        <source>Montants</source>
        <translation>Amounts</translation>
    </message>
    <message>
        <source>Les 7 Annule Donne</source>
        <translation>The 7s cancel the hand</translation>
    </message>
    <message>
        <source>Les 8 Annule Annonces</source>
        <translation>The 8s cancel announcements</translation>
    </message>
    <message>
        <source>Atouts permis et multiplicateurs</source>
        <translation>Allowed trumps and multipliers</translation>
    </message>
    <message>
        <source>Adversaires</source>
        <translation>Opponents</translation>
    </message>
    <message>
        <source>Partenaire</source>
        <translation>Partner</translation>
    </message>
    <message>
        <source>Plus l&apos;ordinateur simule de donnes, plus il joue fort, et plus il réfléchit longtemps.</source>
        <translation>The more hands the computer simulates, the stronger it plays, and the longer it thinks.</translation>
    </message>
    <message>
        <source>Noms des joueurs</source>
        <translation>Player names</translation>
    </message>
    <message>
        <source>Adversaire 1</source>
        <translation>Opponent 1</translation>
    </message>
    <message>
        <source>Adversaire 2</source>
        <translation>Opponent 2</translation>
    </message>
    <message>
        <source>Aide sur les cartes</source>
        <translation>Card hints</translation>
    </message>
    <message>
        <source>Scores animés</source>
        <translation>Animated scores</translation>
    </message>
    <message>
        <source>Utiliser l&apos;espace à droite</source>
        <translation>Use the space on the right</translation>
    </message>
    <message>
        <source>Cartes colorées</source>
        <translation>Coloured cards</translation>
    </message>
    <message>
        <source>Noms aléatoires des ordinateurs</source>
        <translation>Random computer names</translation>
    </message>
    <message>
        <source>Donner dans l&apos;autre sens</source>
        <translation>Deal the other way round</translation>
    </message>
    <message>
        <source>Sons</source>
        <translation>Sounds</translation>
    </message>
    <message>
        <source>Vibrations</source>
        <translation>Vibration</translation>
    </message>
    <message>
        <source>Fonctions de débogage</source>
        <translation>Debug functions</translation>
    </message>
    <message>
        <source>Ramassage automatique après</source>
        <translation>Gather the trick automatically after</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Taille du texte</source>
        <translation>Text size</translation>
    </message>
    <message>
        <source>Qualité graphique</source>
        <translation>Graphics quality</translation>
    </message>
    <message>
        <source>Basse</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>Moyenne</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>Haute</source>
        <translation>High</translation>
    </message>
    <message>
        <source>Ultra</source>
        <translation>Ultra</translation>
    </message>
    <message>
        <source>Cartes</source>
        <translation>Cards</translation>
    </message>
    <message>
        <source>Romandes</source>
        <translation>French Swiss</translation>
    </message>
    <message>
        <source>Suisses allemandes</source>
        <translation>Swiss German</translation>
    </message>
    <message>
        <source>Internationales</source>
        <translation>International</translation>
    </message>
    <message>
        <source>Napolitaines</source>
        <translation>Neapolitan</translation>
    </message>
    <message>
        <source>Fun</source>
        <translation>Fun</translation>
    </message>
    <message>
        <source>Thème</source>
        <translation>Theme</translation>
    </message>
    <message>
        <source>Bois</source>
        <translation>Wood</translation>
    </message>
    <message>
        <source>Alien</source>
        <translation>Alien</translation>
    </message>
    <message>
        <source>Course</source>
        <translation>Racing</translation>
    </message>
    <message>
        <source>Bonbon</source>
        <translation>Candy</translation>
    </message>
    <message>
        <source>Nature</source>
        <translation>Nature</translation>
    </message>
    <message>
        <source>Langue</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Automatique</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>Hiver</source>
        <translation>Winter</translation>
    </message>
    <message>
        <source>Printemps</source>
        <translation>Spring</translation>
    </message>
    <message>
        <source>Eté</source>
        <translation>Summer</translation>
    </message>
    <message>
        <source>Automne</source>
        <translation>Autumn</translation>
    </message>
    <message>
        <source>Du</source>
        <translation>From</translation>
    </message>
    <message>
        <source>Au</source>
        <translation>To</translation>
    </message>
    <message>
        <source>Pendant une période cochée, la table se décore de la saison. Une période peut passer le Nouvel An, comme l&apos;hiver.</source>
        <translation>During a ticked period, the table is decorated for the season. A period may run over New Year, like winter.</translation>
    </message>
    <message>
        <source>type de jeu</source>
        <translation>game type</translation>
    </message>
    <message>
        <source>règles</source>
        <translation>rules</translation>
    </message>
    <message>
        <source>contrat</source>
        <translation>contract</translation>
    </message>
    <message>
        <source>annonces</source>
        <translation>announcements</translation>
    </message>
    <message>
        <source>roi et dame</source>
        <translation>king and queen</translation>
    </message>
    <message>
        <source>distribution</source>
        <translation>dealing</translation>
    </message>
    <message>
        <source>décompte</source>
        <translation>count</translation>
    </message>
    <message>
        <source>points</source>
        <translation>points</translation>
    </message>
    <message>
        <source>montant du contrat</source>
        <translation>contract amount</translation>
    </message>
    <message>
        <source>arrondi</source>
        <translation>rounding</translation>
    </message>
    <message>
        <source>nom %1</source>
        <translation>name %1</translation>
    </message>
    <message>
        <source>qualité</source>
        <translation>quality</translation>
    </message>
    <message>
        <source>cartes</source>
        <translation>cards</translation>
    </message>
    <message>
        <source>thème</source>
        <translation>theme</translation>
    </message>
    <message>
        <source>langue</source>
        <translation>language</translation>
    </message>
    <message>
        <source>délai de ramassage</source>
        <translation>gathering delay</translation>
    </message>
    <message>
        <source>taille du texte</source>
        <translation>text size</translation>
    </message>
    <message>
        <source>Valeurs hors limites corrigées: %1.</source>
        <translation>Out-of-range values corrected: %1.</translation>
    </message>
    <message>
        <source>Ce type de jeu ne se joue pas en tournoi: la partie standard est choisie.</source>
        <translation>This game type is not played as a tournament: the standard game is chosen.</translation>
    </message>
    <message>
        <source>La table impose tour à tour chaque atout permis; la partie se termine quand il n&apos;en reste plus (ou plus tôt, aux points du type Personalisé).</source>
        <translation>The table imposes each allowed trump in turn; the match ends when none is left (or earlier, at the points of the Custom type).</translation>
    </message>
    <message>
        <source>Seul un jeu où l&apos;on choisit l&apos;atout (contrat Chibre) se joue en tournoi: ici, l&apos;atout se gagne aux enchères.</source>
        <translation>Only a game whose trump is chosen (Chibre contract) is played as a tournament: here the trump is won by bidding.</translation>
    </message>
    <message>
        <source>tournoi</source>
        <translation>tournament</translation>
    </message>
    <message>
        <source>Le nom &apos;%1&apos; ne peut pas être vide.</source>
        <translation>The name &apos;%1&apos; cannot be empty.</translation>
    </message>
    <message>
        <source>La période &apos;%1&apos; commence et finit le même jour: elle ne compte aucun jour.</source>
        <translation>The period &apos;%1&apos; starts and ends on the same day: it has no days.</translation>
    </message>
</context>
<context>
    <name>PanelAtouts</name>
    <message>
        <source>Atout</source>
        <translation>Trump</translation>
    </message>
    <message>
        <source>Mise</source>
        <translation>Bid</translation>
    </message>
    <message>
        <source>Capot</source>
        <translation>Capot</translation>
    </message>
    <message>
        <source>&lt;ChibreOuPasse&gt;</source>
        <translation>&lt;PassToPartnerOrPass&gt;</translation>
    </message>
    <message>
        <source>Prends</source>
        <translation>Take</translation>
    </message>
    <message>
        <source>Contre
x2</source>
        <translation>Double
x2</translation>
    </message>
    <message>
        <source>&amp;Chibre</source>
        <translation>Pass to pa&amp;rtner</translation>
    </message>
    <message>
        <source>&amp;Passe</source>
        <translation>&amp;Pass</translation>
    </message>
    <message>
        <source>Coinche</source>
        <translation>Coinche</translation>
    </message>
    <message>
        <source>Contre</source>
        <translation>Double</translation>
    </message>
    <message>
        <source>Capot (%1)</source>
        <translation>Capot (%1)</translation>
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
        <translation>Redouble</translation>
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
        <translation>Incompatible, invalid or corrupt text.</translation>
    </message>
    <message>
        <source>Malheureusement, cette partie est corrompue et doit être effacée.</source>
        <translation>Unfortunately this game is corrupt and must be deleted.</translation>
    </message>
    <message>
        <source>Malheureusement, cette partie est corrompue et va être effacée.</source>
        <translation>Unfortunately this game is corrupt and will be deleted.</translation>
    </message>
    <message>
        <source>Malheureusement, le jeu ne peut pas continuer, car un problème majeur a été détecté durant les calculs de l&apos;intelligence artificielle. La partie est endommagée. Merci de choisir &apos;Nouvelle Partie&apos; pour en commencer une nouvelle. Vous pouvez également signaler le problème en utilisant le bouton &apos;Bug&apos;.</source>
        <translation>Unfortunately the game cannot go on: a serious problem was found in the computer players&apos; calculations. The game is damaged. Please choose &apos;New game&apos; to start a new one. You can also report the problem with the &apos;Bug&apos; button.</translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Error</translation>
    </message>
    <message>
        <source> (ordi)</source>
        <translation> (computer)</translation>
    </message>
    <message>
        <source> (joueur)</source>
        <translation> (player)</translation>
    </message>
    <message>
        <source>Vous</source>
        <translation>You</translation>
    </message>
    <message>
        <source> (vous)</source>
        <translation> (you)</translation>
    </message>
    <message>
        <source>Pas d&apos;annonce</source>
        <translation>No announcement</translation>
    </message>
    <message>
        <source>Trois cartes</source>
        <translation>Three cards</translation>
    </message>
    <message>
        <source>%1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>Le Trois</source>
        <translation>Three</translation>
    </message>
    <message>
        <source>Le Six</source>
        <translation>Six</translation>
    </message>
    <message>
        <source>Le Quatre</source>
        <translation>Four</translation>
    </message>
    <message>
        <source>Le Sept</source>
        <translation>Seven</translation>
    </message>
    <message>
        <source>Le Cinq</source>
        <translation>Five</translation>
    </message>
    <message>
        <source>Le Huit</source>
        <translation>Eight</translation>
    </message>
    <message>
        <source>Le Neuf</source>
        <translation>Nine</translation>
    </message>
    <message>
        <source>Le Drapeau</source>
        <translation>Banner</translation>
    </message>
    <message>
        <source>Le Dix</source>
        <translation>Ten</translation>
    </message>
    <message>
        <source>L&apos;Under</source>
        <translation>Under</translation>
    </message>
    <message>
        <source>Le Sota</source>
        <translation>Knave</translation>
    </message>
    <message>
        <source>Le Valet</source>
        <translation>Jack</translation>
    </message>
    <message>
        <source>L&apos;Oberst</source>
        <translation>Ober</translation>
    </message>
    <message>
        <source>Le Cabal</source>
        <translation>Knight</translation>
    </message>
    <message>
        <source>La Dame</source>
        <translation>Queen</translation>
    </message>
    <message>
        <source>Le Rey</source>
        <translation>King</translation>
    </message>
    <message>
        <source>Le Roi</source>
        <translation>King</translation>
    </message>
    <message>
        <source>L&apos;As</source>
        <translation>Ace</translation>
    </message>
    <message>
        <source>ERREUR: Status invalide</source>
        <translation>ERROR: invalid status</translation>
    </message>
    <message>
        <source>Haut en Bas</source>
        <translation>Top-down</translation>
    </message>
    <message>
        <source>Bas en Haut</source>
        <translation>Bottom-up</translation>
    </message>
    <message>
        <source>ZigZag Depart en Bas</source>
        <translation>Zig-zag from the bottom</translation>
    </message>
    <message>
        <source>ZigZag Depart en Haut</source>
        <translation>Zig-zag from the top</translation>
    </message>
    <message>
        <source>Tout atout</source>
        <translation>All trumps</translation>
    </message>
    <message>
        <source>Sans atout</source>
        <translation>No trumps</translation>
    </message>
    <message>
        <source>Inverse</source>
        <translation>Inverse</translation>
    </message>
    <message>
        <source>Trèfle</source>
        <translation>Clubs</translation>
    </message>
    <message>
        <source>Carreau</source>
        <translation>Diamonds</translation>
    </message>
    <message>
        <source>Pique</source>
        <translation>Spades</translation>
    </message>
    <message>
        <source>Coeur</source>
        <translation>Hearts</translation>
    </message>
    <message>
        <source>Bouclier</source>
        <translation>Shields</translation>
    </message>
    <message>
        <source>Fleur</source>
        <translation>Roses</translation>
    </message>
    <message>
        <source>Cloche</source>
        <translation>Bells</translation>
    </message>
    <message>
        <source>Gland</source>
        <translation>Acorns</translation>
    </message>
    <message>
        <source>Denier</source>
        <translation>Coins</translation>
    </message>
    <message>
        <source>Coupe</source>
        <translation>Cups</translation>
    </message>
    <message>
        <source>Bâton</source>
        <translation>Batons</translation>
    </message>
    <message>
        <source>Epée</source>
        <translation>Swords</translation>
    </message>
    <message>
        <source>De haut en bas</source>
        <translation>Top-down</translation>
    </message>
    <message>
        <source>De bas en haut</source>
        <translation>Bottom-up</translation>
    </message>
    <message>
        <source>Zig-zag avec départ en bas</source>
        <translation>Zig-zag starting from the bottom</translation>
    </message>
    <message>
        <source>Zig-zag avec départ en haut</source>
        <translation>Zig-zag starting from the top</translation>
    </message>
    <message>
        <source>Cette carte peut être jouée car elle est de la couleur demandée.</source>
        <translation>This card can be played: it follows the suit led.</translation>
    </message>
    <message>
        <source>Cette carte peut être jouée car c&apos;est un atout qui &apos;coupe&apos; le pli.</source>
        <translation>This card can be played: it is a trump that &apos;cuts&apos; the trick.</translation>
    </message>
    <message>
        <source>Cette carte peut être jouée car vous ne pouvez pas &apos;servir&apos; la couleur demandée.</source>
        <translation>This card can be played: you cannot &apos;follow&apos; the suit led.</translation>
    </message>
    <message>
        <source>Cette carte peut être jouée car vous ne pouvez pas &apos;servir&apos; la couleur demandée et votre partenaire est maitre.</source>
        <translation>This card can be played: you cannot &apos;follow&apos; the suit led and your partner holds the trick.</translation>
    </message>
    <message>
        <source>Comme vous &apos;ouvrez&apos; le pli, vous avez le droit de jouer n&apos;importe quelle carte.</source>
        <translation>As you &apos;lead&apos; the trick, you may play any card.</translation>
    </message>
    <message>
        <source>Cet atout &apos;sous-coupe&apos; un autre atout. Vous pouvez le faire car il ne vous reste que des atouts, ou alors vous ne pouvez pas faire autrement.</source>
        <translation>This trump &apos;undertrumps&apos; another trump. You may do so because you hold only trumps, or you have no other choice.</translation>
    </message>
    <message>
        <source>Cette carte peut être jouée car c&apos;est un atout plus fort, c&apos;est à dire qu&apos;il &apos;sur-coupe&apos; tous les autres atouts sur le tas.</source>
        <translation>This card can be played: it is a higher trump, that is it &apos;overtrumps&apos; every other trump on the pile.</translation>
    </message>
    <message>
        <source>Cette carte peut être jouée car vous n&apos;êtes pas obligé de &apos;servir&apos; la couleur demandée. En effet le &apos;bour&apos; (valet d&apos;atout) peut être conservé.</source>
        <translation>This card can be played: you need not &apos;follow&apos; the suit led, as the &apos;Bour&apos; (the trump jack) may be kept.</translation>
    </message>
    <message>
        <source>Vous ne pouvez pas jouer cette carte, car elle n&apos;est pas de la couleur demandée. La couleur est déterminée par la première carte posée sur la table.</source>
        <translation>You cannot play this card: it does not follow the suit led. The suit is set by the first card laid on the table.</translation>
    </message>
    <message>
        <source>Vous ne pouvez pas jouer cette carte car vous essayez de &apos;sous-couper&apos;, c&apos;est à dire poser un atout moins fort, alors qu&apos;il y a d&apos;autre cartes jouables.</source>
        <translation>You cannot play this card: you are trying to &apos;undertrump&apos;, that is lay a lower trump, while other cards can be played.</translation>
    </message>
    <message>
        <source>Vous ne pouvez pas jouer cette carte, car vous avez encore un atout en main.</source>
        <translation>You cannot play this card: you still hold a trump.</translation>
    </message>
    <message>
        <source>Vous ne pouvez pas jouer cette carte, car vous avez un atout qui peut &apos;prendre&apos; en main.</source>
        <translation>You cannot play this card: you hold a trump that can &apos;take&apos; the trick.</translation>
    </message>
    <message>
        <source>Cette carte peut être jouée car vous ne pouvez pas jouer un atout qui pourrait &apos;prendre&apos;.</source>
        <translation>This card can be played: you cannot play a trump that could &apos;take&apos;.</translation>
    </message>
    <message>
        <source>chaque huit vaut huit points</source>
        <translation>every eight is worth eight points</translation>
    </message>
    <message>
        <source>l&apos;atout est imposé</source>
        <translation>the trump is imposed</translation>
    </message>
    <message>
        <source>Suisse romand</source>
        <translation>Swiss Romand</translation>
    </message>
    <message>
        <source>Suisse romand pique double</source>
        <translation>Swiss Romand, spades double</translation>
    </message>
    <message>
        <source>Suisse allemand</source>
        <translation>Swiss German</translation>
    </message>
    <message>
        <source>Suisse allemand zig zag</source>
        <translation>Swiss German zig-zag</translation>
    </message>
    <message>
        <source>Suisse romand online</source>
        <translation>Swiss Romand online</translation>
    </message>
    <message>
        <source>Belote Classique</source>
        <translation>Classic Belote</translation>
    </message>
    <message>
        <source>Belote Classique Online</source>
        <translation>Classic Belote online</translation>
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
        <translation>Swiss Romand short tournament</translation>
    </message>
    <message>
        <source>Suisse romand tournoi long</source>
        <translation>Swiss Romand long tournament</translation>
    </message>
    <message>
        <source>Personalisé</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>Nbr. Parties</source>
        <translation>Games</translation>
    </message>
    <message>
        <source>Ratio Points</source>
        <translation>Points ratio</translation>
    </message>
    <message>
        <source>En Ligne</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>Nbr. Victoires</source>
        <translation>Wins</translation>
    </message>
    <message>
        <source>Nbr. Matches</source>
        <translation>Matches</translation>
    </message>
    <message>
        <source>Nbr. Plis</source>
        <translation>Tricks</translation>
    </message>
    <message>
        <source>Tot. Points Plis</source>
        <translation>Trick points</translation>
    </message>
    <message>
        <source>Tot. Points Annonces</source>
        <translation>Announcement points</translation>
    </message>
    <message>
        <source>Nbr. Stöck</source>
        <translation>Stöck</translation>
    </message>
    <message>
        <source>Nbr. 3 Cartes</source>
        <translation>Three cards</translation>
    </message>
    <message>
        <source>Nbr. 4 Cartes</source>
        <translation>Four cards</translation>
    </message>
    <message>
        <source>Nbr. 5 Cartes</source>
        <translation>Five cards</translation>
    </message>
    <message>
        <source>Nbr. Carré Nels</source>
        <translation>Four nines</translation>
    </message>
    <message>
        <source>Nbr. Carré Bours</source>
        <translation>Four jacks</translation>
    </message>
    <message>
        <source>Nbr. Carré 10</source>
        <translation>Four tens</translation>
    </message>
    <message>
        <source>Nbr. Carré Dame</source>
        <translation>Four queens</translation>
    </message>
    <message>
        <source>Nbr. Carré Roi</source>
        <translation>Four kings</translation>
    </message>
    <message>
        <source>Nbr. Carré As</source>
        <translation>Four aces</translation>
    </message>
    <message>
        <source>Nbr. Carré Six</source>
        <translation>Four sixes</translation>
    </message>
    <message>
        <source>Nbr. Carré Sept</source>
        <translation>Four sevens</translation>
    </message>
    <message>
        <source>Nbr. Carré Huit</source>
        <translation>Four eights</translation>
    </message>
    <message>
        <source>Découvreur</source>
        <translation>Discoverer</translation>
    </message>
    <message>
        <source>Intéressé</source>
        <translation>Enthusiast</translation>
    </message>
    <message>
        <source>Habitué</source>
        <translation>Regular</translation>
    </message>
    <message>
        <source>Joueur</source>
        <translation>Player</translation>
    </message>
    <message>
        <source>Passionné</source>
        <translation>Devotee</translation>
    </message>
    <message>
        <source>Professionnel</source>
        <translation>Professional</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Expert</translation>
    </message>
    <message>
        <source>As</source>
        <translation>Ace</translation>
    </message>
    <message>
        <source>Elite</source>
        <translation>Elite</translation>
    </message>
    <message>
        <source>Divinité</source>
        <translation>Deity</translation>
    </message>
    <message>
        <source>Promeneur</source>
        <translation>Stroller</translation>
    </message>
    <message>
        <source>Marcheur</source>
        <translation>Walker</translation>
    </message>
    <message>
        <source>Randonneur</source>
        <translation>Hiker</translation>
    </message>
    <message>
        <source>Sprinteur</source>
        <translation>Sprinter</translation>
    </message>
    <message>
        <source>Relayeur</source>
        <translation>Relay Runner</translation>
    </message>
    <message>
        <source>Champion</source>
        <translation>Champion</translation>
    </message>
    <message>
        <source>Olympien</source>
        <translation>Olympian</translation>
    </message>
    <message>
        <source>Marathonien</source>
        <translation>Marathoner</translation>
    </message>
    <message>
        <source>Titan</source>
        <translation>Titan</translation>
    </message>
    <message>
        <source>Légende</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>du Stöck</source>
        <translation>of the Stöck</translation>
    </message>
    <message>
        <source>des 3 Cartes</source>
        <translation>of the 3 Cards</translation>
    </message>
    <message>
        <source>des 4 Cartes</source>
        <translation>of the 4 Cards</translation>
    </message>
    <message>
        <source>des 5 Cartes</source>
        <translation>of the 5 Cards</translation>
    </message>
    <message>
        <source>du 150 les Nels</source>
        <translation>of the 150 Nines</translation>
    </message>
    <message>
        <source>du 200 les Bours</source>
        <translation>of the 200 Jacks</translation>
    </message>
    <message>
        <source>du 100 les 10</source>
        <translation>of the 100 Tens</translation>
    </message>
    <message>
        <source>du Carré de Dames</source>
        <translation>of the Four Queens</translation>
    </message>
    <message>
        <source>du Carré des Rois</source>
        <translation>of the Four Kings</translation>
    </message>
    <message>
        <source>du Carré des As</source>
        <translation>of the Four Aces</translation>
    </message>
    <message>
        <source>du Carré de Six</source>
        <translation>of the Four Sixes</translation>
    </message>
    <message>
        <source>du Carré de Sept</source>
        <translation>of the Four Sevens</translation>
    </message>
    <message>
        <source>du Carré de Huit</source>
        <translation>of the Four Eights</translation>
    </message>
    <message>
        <source> du Jass Romand</source>
        <translation> of Romand Jass</translation>
    </message>
    <message>
        <source> du Pique Double</source>
        <translation> of Spades Double</translation>
    </message>
    <message>
        <source> du Jass Suisse-Allemand</source>
        <translation> of Swiss German Jass</translation>
    </message>
    <message>
        <source> du Zig-Zag</source>
        <translation> of Zig-Zag</translation>
    </message>
    <message>
        <source> du Jass En Ligne</source>
        <translation> of Online Jass</translation>
    </message>
    <message>
        <source> de Jeu Personalisé</source>
        <translation> of Custom Games</translation>
    </message>
    <message>
        <source> de la Belote Classique</source>
        <translation> of Classic Belote</translation>
    </message>
    <message>
        <source> de la Belote Classique En Ligne</source>
        <translation> of Online Classic Belote</translation>
    </message>
    <message>
        <source> de la Belote Contrée</source>
        <translation> of Belote Contrée</translation>
    </message>
    <message>
        <source> de la Belote Coinchée</source>
        <translation> of Belote Coinchée</translation>
    </message>
    <message>
        <source> de la Belote Vache</source>
        <translation> of Belote Vache</translation>
    </message>
    <message>
        <source> de la Belote Vache En Ligne</source>
        <translation> of Online Belote Vache</translation>
    </message>
    <message>
        <source> de la Belote Contrée En Ligne</source>
        <translation> of Online Belote Contrée</translation>
    </message>
    <message>
        <source> de la Belote Coinchée En Ligne</source>
        <translation> of Online Belote Coinchée</translation>
    </message>
    <message>
        <source> des tournois de Jass courts</source>
        <translation> of Short Jass Tournaments</translation>
    </message>
    <message>
        <source> des tournois de Jass longs</source>
        <translation> of Long Jass Tournaments</translation>
    </message>
    <message>
        <source> des tournois de Belote Vache</source>
        <translation> of Belote Vache Tournaments</translation>
    </message>
    <message>
        <source>Initié au Match</source>
        <translation>Match Novice</translation>
    </message>
    <message>
        <source>Observateur de Matches</source>
        <translation>Match Watcher</translation>
    </message>
    <message>
        <source>Routinier des Matches</source>
        <translation>Match Regular</translation>
    </message>
    <message>
        <source>Assidu des Matches</source>
        <translation>Match Devotee</translation>
    </message>
    <message>
        <source>Supermatcheur</source>
        <translation>Super Matcher</translation>
    </message>
    <message>
        <source>Professionnel des Matches</source>
        <translation>Match Professional</translation>
    </message>
    <message>
        <source>Mégamatcheur</source>
        <translation>Mega Matcher</translation>
    </message>
    <message>
        <source>As des Matches</source>
        <translation>Match Ace</translation>
    </message>
    <message>
        <source>Ultramatcheur</source>
        <translation>Ultra Matcher</translation>
    </message>
    <message>
        <source>Divinité des Matches</source>
        <translation>Match Deity</translation>
    </message>
    <message>
        <source>Initié à la Victoire</source>
        <translation>Victory Novice</translation>
    </message>
    <message>
        <source>Observateur de Victoires</source>
        <translation>Victory Watcher</translation>
    </message>
    <message>
        <source>Routinier des Victoires</source>
        <translation>Victory Regular</translation>
    </message>
    <message>
        <source>Assidu des Victoires</source>
        <translation>Victory Devotee</translation>
    </message>
    <message>
        <source>Supervictorieux</source>
        <translation>Super Victor</translation>
    </message>
    <message>
        <source>Professionnel des Victoires</source>
        <translation>Victory Professional</translation>
    </message>
    <message>
        <source>Mégavictorieux</source>
        <translation>Mega Victor</translation>
    </message>
    <message>
        <source>As des Victoires</source>
        <translation>Victory Ace</translation>
    </message>
    <message>
        <source>Victoirinox</source>
        <translation>Victorinox</translation>
    </message>
    <message>
        <source>Divinité des Victoires</source>
        <translation>Victory Deity</translation>
    </message>
    <message>
        <source>%1 Niv. %2</source>
        <translation>%1 Lv. %2</translation>
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
        <translation>%1 (tournament)</translation>
    </message>
</context>
<context>
    <name>ServerView</name>
    <message>
        <source>Port à donner à vos amis: %1</source>
        <translation>Port to give your friends: %1</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Adresse de cette machine: %1</source>
        <translation>This machine&apos;s address: %1</translation>
    </message>
    <message>
        <source>Ports: TCP %1, WebSocket %2, WebSocket sécurisé %3</source>
        <translation>Ports: TCP %1, WebSocket %2, secure WebSocket %3</translation>
    </message>
    <message>
        <source>Serveur de jeu</source>
        <translation>Game server</translation>
    </message>
    <message>
        <source>Démarrer la partie</source>
        <translation>Start the game</translation>
    </message>
    <message>
        <source>Arrêter le serveur</source>
        <translation>Stop the server</translation>
    </message>
    <message>
        <source>Aucune place pour %1</source>
        <translation>No seat for %1</translation>
    </message>
    <message>
        <source>Serveur arrêté</source>
        <translation>Server stopped</translation>
    </message>
    <message>
        <source>En attente de joueurs (%1 connecté(s))</source>
        <translation>Waiting for players (%1 connected)</translation>
    </message>
    <message>
        <source>Complet, prêt à démarrer</source>
        <translation>Full, ready to start</translation>
    </message>
    <message>
        <source>Partie en cours</source>
        <translation>Game running</translation>
    </message>
    <message>
        <source>Votre nom</source>
        <translation>Your name</translation>
    </message>
    <message>
        <source>Joueurs connectés</source>
        <translation>Connected players</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Seat</translation>
    </message>
    <message>
        <source>Place %1</source>
        <translation>Seat %1</translation>
    </message>
    <message>
        <source>Placer le joueur</source>
        <translation>Seat the player</translation>
    </message>
    <message>
        <source>Retirer le joueur</source>
        <translation>Remove the player</translation>
    </message>
    <message>
        <source>%1 a été retiré de la partie</source>
        <translation>%1 was removed from the game</translation>
    </message>
    <message>
        <source>Journal du serveur</source>
        <translation>Server log</translation>
    </message>
    <message>
        <source>%1 placé à la table %2, place %3</source>
        <translation>%1 seated at table %2, seat %3</translation>
    </message>
    <message>
        <source>%1 n&apos;a pas pu être placé à la table %2, place %3</source>
        <translation>%1 could not be seated at table %2, seat %3</translation>
    </message>
    <message>
        <source>Adresse: %1, Port: %2, Id: %3</source>
        <translation>Address: %1, Port: %2, Id: %3</translation>
    </message>
</context>
<context>
    <name>TableClient</name>
    <message>
        <source>Cette copie ne suit plus la partie de l&apos;hôte: elle quitte la partie en ligne.</source>
        <translation>This copy no longer follows the host&apos;s game: it leaves the online game.</translation>
    </message>
    <message>
        <source>Cette copie ne suit plus la partie de l&apos;hôte: la partie est reprise auprès de l&apos;hôte.</source>
        <translation>This copy no longer follows the host&apos;s game: it joins the host again to catch up.</translation>
    </message>
    <message>
        <source>Une partie réseau est en cours. %1Voulez-vous tout de même quitter?</source>
        <comment>leave the online game</comment>
        <translation>An online game is running. %1Do you want to leave it anyway? A local game will follow.</translation>
    </message>
    <message>
        <source>Une partie réseau est en cours. %1Voulez-vous tout de même quitter?</source>
        <comment>stop the server</comment>
        <translation>An online game is running. %1Do you want to stop the server anyway? The game will end for every player.</translation>
    </message>
    <message>
        <source>Comme une partie entière n&apos;a pas encore été complétée, une pénalité sur votre score en ligne sera appliquée. </source>
        <translation>As no whole game has been completed yet, a penalty will be applied to your online score. </translation>
    </message>
    <message>
        <source>Avertissement.</source>
        <translation>Warning.</translation>
    </message>
    <message>
        <source>Une partie réseau est en cours. %1Voulez-vous tout de même quitter?</source>
        <translation>A network game is running. %1Do you want to quit anyway?</translation>
    </message>
    <message>
        <source>Question.</source>
        <translation>Question.</translation>
    </message>
    <message>
        <source>Voulez-vous revoir la partie depuis le début?</source>
        <translation>Do you want to watch the game again from the start?</translation>
    </message>
    <message>
        <source>Information.</source>
        <translation>Information.</translation>
    </message>
    <message>
        <source>Fin du film. Cliquez sur OK pour continuer la partie.</source>
        <translation>End of the replay. Click OK to continue the game.</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>La partie en ligne est terminée.</source>
        <translation>The online game is over.</translation>
    </message>
    <message>
        <source>Connection interrompue.</source>
        <translation>Connection interrupted.</translation>
    </message>
    <message>
        <source>La connection avec le serveur a été interrompue. La partie ne pourra pas continuer.</source>
        <translation>The connection with the server was interrupted. The game cannot go on.</translation>
    </message>
    <message>
        <source>La partie %1 ne suit plus le jeu après la ligne %2: elle continue depuis ce coup.</source>
        <translation>The game %1 no longer follows the play after line %2: it goes on from that move.</translation>
    </message>
    <message>
        <source>La partie %1 ne suit pas le jeu dès son premier coup: elle continue depuis le début.</source>
        <translation>The game %1 does not follow the play from its first move: it goes on from the start.</translation>
    </message>
    <message>
        <source>Partie incomplète</source>
        <translation>Incomplete game</translation>
    </message>
    <message>
        <source>La partie %1 n&apos;a pas pu être ouverte.</source>
        <translation>The game %1 could not be opened.</translation>
    </message>
    <message>
        <source>Le fichier est abîmé à la ligne %1: %2.</source>
        <translation>The file is damaged at line %1: %2.</translation>
    </message>
</context>
<context>
    <name>WidgetOptionsAI</name>
    <message>
        <source>Nombre de donnes simulées par coup: plus il est grand, plus l&apos;ordinateur joue fort et lentement.</source>
        <translation>Number of hands simulated per move: the higher it is, the stronger and slower the computer plays.</translation>
    </message>
    <message>
        <source>Facile</source>
        <translation>Easy</translation>
    </message>
    <message>
        <source>Moyen</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>Fort</source>
        <translation>Strong</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Expert</translation>
    </message>
    <message>
        <source>Sur mesure</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>Niveau</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Force (donnes simulées)</source>
        <translation>Strength (simulated hands)</translation>
    </message>
    <message>
        <source>Confiance au 2e tour d&apos;atout</source>
        <translation>Trust at the 2nd trump round</translation>
    </message>
    <message>
        <source>Confiance au 3e tour d&apos;atout</source>
        <translation>Trust at the 3rd trump round</translation>
    </message>
    <message>
        <source>Déduction des jeux adverses</source>
        <translation>Reading the opponents&apos; hands</translation>
    </message>
    <message>
        <source>force</source>
        <translation>strength</translation>
    </message>
    <message>
        <source>confiance au 2e tour</source>
        <translation>trust at the 2nd round</translation>
    </message>
    <message>
        <source>confiance au 3e tour</source>
        <translation>trust at the 3rd round</translation>
    </message>
    <message>
        <source>déduction</source>
        <translation>reading</translation>
    </message>
</context>
<context>
    <name>ZB_About</name>
    <message>
        <source>interface, réseau, graphisme</source>
        <translation>interface, network, graphics</translation>
    </message>
    <message>
        <source>rapports de bug (zip)</source>
        <translation>bug reports (zip)</translation>
    </message>
    <message>
        <source>GNU LGPL v2.1 avec exception de liaison statique</source>
        <translation>GNU LGPL v2.1 with static linking exception</translation>
    </message>
    <message>
        <source>compression</source>
        <translation>compression</translation>
    </message>
    <message>
        <source>licence zlib</source>
        <translation>zlib licence</translation>
    </message>
    <message>
        <source>connexions sécurisées (par Qt)</source>
        <translation>secure connections (through Qt)</translation>
    </message>
    <message>
        <source>polices</source>
        <translation>fonts</translation>
    </message>
    <message>
        <source>licence Bitstream Vera / DejaVu (libre)</source>
        <translation>Bitstream Vera / DejaVu licence (free)</translation>
    </message>
    <message>
        <source>police de la table</source>
        <translation>table font</translation>
    </message>
    <message>
        <source>A propos</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Jass et Belote</source>
        <translation>Jass and Belote</translation>
    </message>
    <message>
        <source>inconnue</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>Version %1 (Qt %2)</source>
        <translation>Version %1 (Qt %2)</translation>
    </message>
    <message>
        <source>Ce programme utilise:</source>
        <translation>This program uses:</translation>
    </message>
    <message>
        <source>Les cartes, images et sons sont créés pour ce programme.</source>
        <translation>The cards, pictures and sounds were made for this program.</translation>
    </message>
</context>
<context>
    <name>ZB_Application</name>
    <message>
        <source>Erreur</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>ZB_ClientConnection</name>
    <message>
        <source>Connection client</source>
        <translation>Client connection</translation>
    </message>
    <message>
        <source>Connection en cours...</source>
        <translation>Connecting...</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Init</source>
        <translation>Init</translation>
    </message>
    <message>
        <source>Résolution de l&apos;adresse...</source>
        <translation>Resolving the address...</translation>
    </message>
    <message>
        <source>Tentative de connection...</source>
        <translation>Trying to connect...</translation>
    </message>
    <message>
        <source>Connection réussie, en attente d&apos;autres joueurs pour encore max. %1[s]...</source>
        <translation>Connected, waiting for other players for at most %1[s]...</translation>
    </message>
    <message>
        <source>Connection réussie, en attente d&apos;autres joueurs et de la formation des équipes, par le joueur qui a lancé ce serveur...</source>
        <translation>Connected, waiting for other players and for the teams to be formed by the player who started this server...</translation>
    </message>
    <message>
        <source>Jeu en cours...</source>
        <translation>Game running...</translation>
    </message>
    <message>
        <source>Déconnecté par l&apos;utilisateur</source>
        <translation>Disconnected by the user</translation>
    </message>
    <message>
        <source>Déconnecté...</source>
        <translation>Disconnected...</translation>
    </message>
    <message>
        <source>Le serveur de jeu a fermé la connection: nouvelle tentative %1 sur %2 dans %3 s.</source>
        <translation>The game server closed the connection: attempt %1 of %2 in %3 s.</translation>
    </message>
</context>
<context>
    <name>ZB_ClientDialogIp</name>
    <message>
        <source>Entrez l&apos;adresse du serveur.</source>
        <translation>Enter the server&apos;s address.</translation>
    </message>
    <message>
        <source>Entrez un port de 1 à 65535.</source>
        <translation>Enter a port from 1 to 65535.</translation>
    </message>
    <message>
        <source>Entrez votre nom.</source>
        <translation>Enter your name.</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Connection Client</source>
        <translation>Client connection</translation>
    </message>
    <message>
        <source>Ip Serveur</source>
        <translation>Server IP</translation>
    </message>
    <message>
        <source>Votre nom</source>
        <translation>Your name</translation>
    </message>
</context>
<context>
    <name>ZB_FichierDePartie</name>
    <message>
        <source>La ligne %1 est plus longue que toute ligne d&apos;une partie.</source>
        <translation>Line %1 is longer than any line of a game.</translation>
    </message>
    <message>
        <source>Le fichier fait %1 Mo, bien plus que toute partie (au plus %2 Mo).</source>
        <translation>The file is %1 MB, far more than any game (at most %2 MB).</translation>
    </message>
    <message>
        <source>Le fichier n&apos;a pas la forme d&apos;une partie enregistrée.</source>
        <translation>The file is not in the form of a saved game.</translation>
    </message>
    <message>
        <source>Table %1: %2</source>
        <translation>Table %1: %2</translation>
    </message>
    <message>
        <source>Le fichier s&apos;arrête au milieu de la ligne %1.</source>
        <translation>The file stops in the middle of line %1.</translation>
    </message>
    <message>
        <source>La ligne %1 ne contient pas un coup lisible.</source>
        <translation>Line %1 holds no readable move.</translation>
    </message>
    <message>
        <source>Le fichier ne contient aucun coup.</source>
        <translation>The file holds no move.</translation>
    </message>
    <message>
        <source>Le fichier ne contient pas l&apos;inscription de la partie et de ses quatre joueurs.</source>
        <translation>The file does not hold the entry of the game and its four players.</translation>
    </message>
    <message>
        <source>La partie s&apos;ouvre au dernier coup lisible, à la ligne %1; la suite du fichier est laissée de côté.</source>
        <translation>The game opens at the last readable move, on line %1; the rest of the file is left aside.</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier</source>
        <translation>it is not a file</translation>
    </message>
    <message>
        <source>La ligne %1 fait jouer la place %2 hors de son tour.</source>
        <translation>Line %1 has seat %2 play out of turn.</translation>
    </message>
    <message>
        <source>La ligne %1 joue la carte %2, qui n&apos;existe pas.</source>
        <translation>Line %1 plays the card %2, which does not exist.</translation>
    </message>
    <message>
        <source>La ligne %1 joue la carte %2 une deuxième fois dans la même donne.</source>
        <translation>Line %1 plays the card %2 a second time in the same deal.</translation>
    </message>
    <message>
        <source>La ligne %1 joue une %2e carte d&apos;une main qui en tient %3.</source>
        <translation>Line %1 plays card number %2 of a hand that holds %3.</translation>
    </message>
    <message>
        <source>La ligne %1 fait jouer à la place %2 la carte %3, que le tirage de la ligne %4 a donnée à la place %5.</source>
        <translation>Line %1 has seat %2 play the card %3, which the draw of line %4 dealt to seat %5.</translation>
    </message>
    <message>
        <source>La ligne %1 fait jouer à la place %2 la carte %3, que le tirage de la ligne %4 n&apos;a donnée à personne.</source>
        <translation>Line %1 has seat %2 play the card %3, which the draw of line %4 dealt to nobody.</translation>
    </message>
</context>
<context>
    <name>ZB_MainWidget</name>
    <message>
        <source>&amp;Serveur de jeu...</source>
        <translation>&amp;Game server...</translation>
    </message>
    <message>
        <source>&amp;Partie</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>&amp;Nouvelle partie</source>
        <translation>&amp;New game</translation>
    </message>
    <message>
        <source>Nouvelle partie &amp;gagnante</source>
        <translation>New &amp;winning game</translation>
    </message>
    <message>
        <source>&amp;Ouvrir...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>&amp;Enregistrer</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Enregistrer &amp;sous...</source>
        <translation>Save &amp;as...</translation>
    </message>
    <message>
        <source>&amp;Annuler le coup</source>
        <translation>&amp;Undo the move</translation>
    </message>
    <message>
        <source>&amp;Rétablir le coup</source>
        <translation>&amp;Redo the move</translation>
    </message>
    <message>
        <source>&amp;Quitter</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Réseau</source>
        <translation>&amp;Network</translation>
    </message>
    <message>
        <source>&amp;Héberger une partie</source>
        <translation>&amp;Host a game</translation>
    </message>
    <message>
        <source>&amp;Rejoindre une partie...</source>
        <translation>&amp;Join a game...</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Type de partie</source>
        <translation>Game &amp;type</translation>
    </message>
    <message>
        <source>&amp;Sons</source>
        <translation>&amp;Sounds</translation>
    </message>
    <message>
        <source>&amp;Langue</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>&amp;Aide</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Signaler un &amp;bug...</source>
        <translation>Report a &amp;bug...</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>T&amp;hème</source>
        <translation>T&amp;heme</translation>
    </message>
    <message>
        <source>&amp;Bois</source>
        <translation>&amp;Wood</translation>
    </message>
    <message>
        <source>&amp;Alien</source>
        <translation>&amp;Alien</translation>
    </message>
    <message>
        <source>&amp;Course</source>
        <translation>&amp;Racing</translation>
    </message>
    <message>
        <source>Bo&amp;nbon</source>
        <translation>Ca&amp;ndy</translation>
    </message>
    <message>
        <source>Na&amp;ture</source>
        <translation>Na&amp;ture</translation>
    </message>
    <message>
        <source>Fenêtre des &amp;événements</source>
        <translation>&amp;Event window</translation>
    </message>
    <message>
        <source>À &amp;propos...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>Les options n&apos;ont pas pu être enregistrées: %1</source>
        <translation>The options could not be saved: %1</translation>
    </message>
    <message>
        <source>Si vous souhaitez plus d&apos;assistance, n&apos;hésitez pas à contacter notre</source>
        <translation>If you would like more help, feel free to contact our</translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Ouvrir une partie</source>
        <translation>Open a game</translation>
    </message>
    <message>
        <source>Le fichier %1 n&apos;existe pas.</source>
        <translation>The file %1 does not exist.</translation>
    </message>
    <message>
        <source>Enregistrer la partie</source>
        <translation>Save the game</translation>
    </message>
    <message>
        <source>Impossible d&apos;écouter sur le port %1: un autre programme l&apos;utilise peut-être.</source>
        <translation>Cannot listen on port %1: another program may be using it.</translation>
    </message>
    <message>
        <source>Le rapport n&apos;a pas pu être écrit: %1</source>
        <translation>The report could not be written: %1</translation>
    </message>
    <message>
        <source>Rapport de bug</source>
        <translation>Bug report</translation>
    </message>
    <message>
        <source>Le rapport a été écrit dans %1</source>
        <translation>The report was written to %1</translation>
    </message>
    <message>
        <source>Automatique</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>&amp;Quitter la partie en ligne</source>
        <translation>&amp;Leave the online game</translation>
    </message>
    <message>
        <source>Parties (*.jss *.jst);;Tous les fichiers (*)</source>
        <translation>Games (*.jss *.jst);;All files (*)</translation>
    </message>
    <message>
        <source>&amp;Jouer en ligne...</source>
        <translation>&amp;Play online...</translation>
    </message>
    <message>
        <source>La partie %1 n&apos;a pas pu être ouverte.</source>
        <translation>The game %1 could not be opened.</translation>
    </message>
    <message>
        <source>Le fichier abîmé est gardé sous le nom %1.</source>
        <translation>The damaged file is kept as %1.</translation>
    </message>
    <message>
        <source>La partie en ligne a pris fin avant la fin du match.</source>
        <translation>The online game ended before the end of the match.</translation>
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
        <translation>Competition information.</translation>
    </message>
    <message>
        <source>Vous avez atteint le nombre de parties prévu. A présent, les mêmes jeux qu&apos;au départ vont être distribués, mais en inversant les destinataires.</source>
        <translation>You have reached the planned number of deals. Now the same hands as at the start will be dealt again, to the other team.</translation>
    </message>
    <message>
        <source>Le fichier est trop court pour contenir une partie.</source>
        <translation>The file is too short to hold a game.</translation>
    </message>
    <message>
        <source>La partie %1 est abîmée. %2</source>
        <translation>The game %1 is damaged. %2</translation>
    </message>
    <message>
        <source>Partie incomplète</source>
        <translation>Incomplete game</translation>
    </message>
    <message>
        <source>Le fichier n&apos;a pas la forme d&apos;une partie enregistrée.</source>
        <translation>The file is not in the form of a saved game.</translation>
    </message>
    <message>
        <source>Partie non enregistrée</source>
        <translation>Game not saved</translation>
    </message>
    <message>
        <source>La partie n&apos;a pas pu être enregistrée: ce qui a été joué depuis le dernier enregistrement est perdu.</source>
        <translation>The game could not be saved: what was played since the last save is lost.</translation>
    </message>
    <message>
        <source>Partie enregistrée à part</source>
        <translation>Game saved separately</translation>
    </message>
    <message>
        <source>Une autre copie du programme a enregistré une partie plus récente dans %1: le prochain démarrage la reprendra. Pour ne pas la remplacer, cette partie-ci est enregistrée dans %2.</source>
        <translation>Another copy of the program saved a newer game in %1: the next start will resume it. So as not to replace it, this game is saved in %2.</translation>
    </message>
</context>
<context>
    <name>ZB_RoomTable</name>
    <message>
        <source>La partie est rejouée jusqu&apos;au coup en cours: vous jouerez dès la fin du rattrapage.</source>
        <translation>The game is being replayed up to the current move: you will play as soon as it has caught up.</translation>
    </message>
    <message>
        <source>Erreur interne: La boucle a évènements ne traite pas tous les cas</source>
        <translation>Internal error: the event loop does not handle every case</translation>
    </message>
    <message>
        <source>Serveur</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Evènement invalide dans le fichier *.jss</source>
        <translation>Invalid event in the *.jss file</translation>
    </message>
    <message>
        <source>Information.</source>
        <translation>Information.</translation>
    </message>
    <message>
        <source>Vous entrez en jeu durant ce tour.</source>
        <translation>You join the game during this deal.</translation>
    </message>
    <message>
        <source>Comme la partie est déjà bien avancée, vous entrerez en jeu lors de la prochaine donne. Merci de patienter.</source>
        <translation>As the deal is well under way, you will join the game at the next deal. Please wait.</translation>
    </message>
    <message>
        <source>Le joueur s&apos;est déconnecté. Pour vous permettre de terminer la partie, il est remplacé par l&apos;ordinateur.</source>
        <translation>The player disconnected. So that you can finish the game, the computer takes the seat.</translation>
    </message>
    <message>
        <source>Le joueur &apos;%1&apos; s&apos;est reconnecté</source>
        <translation>The player &apos;%1&apos; reconnected</translation>
    </message>
    <message>
        <source>Le joueur &apos;%1&apos; s&apos;est connecté à la place de &apos;%2&apos;</source>
        <translation>The player &apos;%1&apos; connected in place of &apos;%2&apos;</translation>
    </message>
    <message>
        <source>%1 et entrera en jeu durant cette donne.</source>
        <translation>%1 and will join the game during this deal.</translation>
    </message>
    <message>
        <source>%1 et sera actif à la prochaine donne.</source>
        <translation>%1 and will play from the next deal.</translation>
    </message>
    <message>
        <source>la place %1 joue la carte %2, qu&apos;elle ne tient pas dans cette donne</source>
        <translation>seat %1 plays the card %2, which it does not hold in this deal</translation>
    </message>
</context>
<context>
    <name>ZB_ServerSocket</name>
    <message>
        <source>%1 a quitté la partie</source>
        <translation>%1 left the game</translation>
    </message>
    <message>
        <source>%1 a été exclu: il n&apos;a pas joué dans les délais impartis</source>
        <translation>%1 was excluded for not playing in time</translation>
    </message>
    <message>
        <source>%1 n&apos;a pas eu de place: la partie est complète</source>
        <translation>%1 found no seat: the game is full</translation>
    </message>
    <message>
        <source>%1 a cédé sa place à %2: son adresse en tenait plus</source>
        <translation>%1 gave up its seat to %2: its address held more seats</translation>
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
        <translation>Client connection error.</translation>
    </message>
</context>
</TS>
