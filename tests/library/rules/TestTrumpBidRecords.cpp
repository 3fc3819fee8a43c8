#include "GM_Exception.h"
#include "InfoDemande.h"
#include "StatusAtout.h"
#include "TypeDePartie.h"
#include "ZB_StatusMise.h"
#include "ZbTestRegistry.h"

#include <QTest>

class TestTrumpBidRecords : public QObject
{
    Q_OBJECT

private slots:
    void statusAtoutText()
    {
        StatusAtout s;
        s.chargeValeursDepuisString(QStringLiteral("{0!1!5!2!}"));
        QVERIFY(!s.chibre_);
        QVERIFY(s.choisi_);
        QCOMPARE(s.atout_, int(StatusAtout::HautEnBas));
        QCOMPARE(s.multiplicateur_, 2);
        QCOMPARE(s.sauveValeursDansString(), QStringLiteral("{0!1!5!2!}"));

        // Any non-zero integer is true, and is written back as 1.
        s.chargeValeursDepuisString(QStringLiteral("{2!0!0!-1!}"));
        QVERIFY(s.chibre_);
        QVERIFY(s.estPasseAuPartenaire());
        QCOMPARE(s.sauveValeursDansString(), QStringLiteral("{1!0!0!-1!}"));

        const StatusAtout fresh;
        QCOMPARE(fresh.sauveValeursDansString(), QStringLiteral("{0!0!0!-1!}"));
    }

    void statusAtoutMissingFieldFails()
    {
        StatusAtout s;
        QVERIFY_THROWS_EXCEPTION(GM_Exception, s.chargeValeursDepuisString(QStringLiteral("{0!1!5!}")));
        QVERIFY_THROWS_EXCEPTION(GM_Exception, s.chargeValeursDepuisString(QStringLiteral("{0!x!5!1!}")));
    }

    void multiplierFilledFromGameType()
    {
        const TypeDePartie& allemand = TypeDePartie::getTypeDePartie(2);
        StatusAtout s(false, true, 6, -1);
        s.remplitMultiplicateur(allemand);
        QCOMPARE(s.multiplicateur_, 4);
        StatusAtout notChosen(true, false, 0, -1);
        notChosen.remplitMultiplicateur(allemand);
        QCOMPARE(notChosen.multiplicateur_, -1);
    }

    void statusMiseDefaultsAndRoundTrip()
    {
        const ZB_StatusMise fresh;
        QCOMPARE(fresh.sauveValeursDansString(), QStringLiteral("{0!-1!1!-1!0!10!-1!0!80!160!80!0!}"));

        ZB_StatusMise m;
        m.miseFaite_ = true;
        m.tourMise_ = 4;
        m.montantBloque_ = false;
        m.pointsMise_ = 110;
        m.atoutMise_ = 3;
        m.pasMise_ = 10;
        m.miseur_ = 2;
        m.premierMiseur_ = 1;
        m.miseMin_ = 120;
        m.miseMax_ = 650;
        m.miseMinDepart_ = 80;
        m.typeContrat_ = ZB_StatusMise::CapotContre;
        // Text order puts the step before the bidder.
        const QString text = m.sauveValeursDansString();
        QCOMPARE(text, QStringLiteral("{1!4!0!110!3!10!2!1!120!650!80!6!}"));
        ZB_StatusMise back;
        back.chargeValeursDepuisString(text);
        QCOMPARE(back, m);
        QVERIFY(back.estCapot() && back.estContre() && !back.estSurcontre());
    }

    void statusMiseShortTextFails()
    {
        ZB_StatusMise m;
        try {
            m.chargeValeursDepuisString(QStringLiteral("{1!4!0!110!3!10!2!1!120!650!80!}"));
            QFAIL("eleven fields accepted");
        } catch (const GM_Exception& e) {
            QCOMPARE(e.getMessage(), QStringLiteral("Chaine incompatible, invalide ou corrompue."));
        }
    }

    void statusMiseTravelsThroughSignals()
    {
        QVERIFY(QMetaType::fromType<ZB_StatusMise>().isValid());
        ZB_StatusMise m;
        m.pointsMise_ = 90;
        const QVariant v = QVariant::fromValue(m);
        QCOMPARE(v.value<ZB_StatusMise>().pointsMise_, 90);
    }

    void infoDemandeDefaultsAndCopy()
    {
        const InfoDemande d;
        QCOMPARE(d.etat_, -1);
        QCOMPARE(d.mode_, 3);
        QCOMPARE(d.noDemande_, -1);
        QCOMPARE(d.noTable_, -100);
        QCOMPARE(d.version_, 0);
        QVERIFY(!d.estEnDirect());
        const InfoDemande live(27, 0, 12, 1, 3);
        InfoDemande copy;
        copy = live;
        QCOMPARE(copy, live);
        QVERIFY(copy.estEnDirect());
    }
};

ZB_REGISTER_TEST(TestTrumpBidRecords)
#include "TestTrumpBidRecords.moc"
