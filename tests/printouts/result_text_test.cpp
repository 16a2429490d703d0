// The "Wynik pomiaru" text of a measurement card over the shipped form definitions: which
// items print for which factor, and values that are not numbers.

#include "printouts/measurement_result_text.h"
#include "storage/form_definition_files.h"
#include "tests/support/fixture.h"

#include <gtest/gtest.h>

using printouts::MeasurementResultText;

namespace {

class ResultText : public ::testing::Test
{
protected:
    // The definitions are only read: one copy of the installation serves every case.
    static void SetUpTestSuite() { folder = new testsupport::FixtureFolder(true); }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }
    static testsupport::FixtureFolder *folder;
    storage::TPomiarList fields;

    void SetUp() override { storage::ClearFormDefinitionCache(); }
    void TearDown() override { storage::ClearFormDefinitionCache(); }

    void Read(const char *definition, int factorId)
    {
        fields.clear();
        storage::ReadMeasurementForm(QStringLiteral("zaklocen\\frm\\") + QString::fromLatin1(definition), fields,
                                     factorId);
        ASSERT_FALSE(fields.empty());
    }
    void Set(const char *name, const QString &value)
    {
        storage::TPomiar *f = storage::FindField(fields, QString::fromLatin1(name));
        ASSERT_TRUE(f) << name;
        f->Value = value;
    }
};

TEST_F(ResultText, LaserResultsPrintByEmissionAndWavelength)
{
    Read("prm_laser_frm_2.xml", 50006);
    const auto results = [this](const QString &emission, const QString &wavelength) {
        Set("cPromieniowanie", emission);
        Set("DlugFal", wavelength);
        return MeasurementResultText(fields, 50006, QStringLiteral("fiz"), QStringLiteral("2"))
            .count(QStringLiteral("\nMDE = "));
    };
    // Continuous from 600 nm on: neither the second nor the third result.
    EXPECT_EQ(results(QStringLiteral(" ciągłe "), QStringLiteral("600")), 1);
    EXPECT_EQ(results(QStringLiteral(" ciągłe "), QStringLiteral("599.9")), 2);
    EXPECT_EQ(results(QStringLiteral(" impulsowe "), QStringLiteral("600")), 2);
    EXPECT_EQ(results(QStringLiteral(" impulsowe "), QStringLiteral("450")), 3);
    // A wavelength that is no number counts as 0 and stops nothing.
    EXPECT_EQ(results(QStringLiteral(" ciągłe "), QStringLiteral("zielony")), 2);
    const QString text = MeasurementResultText(fields, 50006, QStringLiteral("fiz"), QStringLiteral("2"));
    EXPECT_TRUE(text.contains(QStringLiteral("emisja:  ciągłe \n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("długość fali [nm] = zielony\n")));
    // The measurement's own marks stay as they were.
    EXPECT_EQ(storage::FindField(fields, QStringLiteral("WartZm3"))->druk(), QStringLiteral("T"));
}

TEST_F(ResultText, VibrationMaximaPrintOnlyWithShortExposure)
{
    Read("drgania_ogln_frm_1.xml", 10200);
    Set("RownWartZm", QStringLiteral("0.62"));
    Set("MaksWartZm", QStringLiteral("0.9"));
    Set("cbCzasEksp", QStringLiteral("False"));
    QString text = MeasurementResultText(fields, 10200, QStringLiteral("fiz"), QStringLiteral("1"));
    EXPECT_TRUE(text.contains(QStringLiteral("A(8) [m/s^2] = 0.62\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("0.9")));
    Set("cbCzasEksp", QStringLiteral("True"));
    text = MeasurementResultText(fields, 10200, QStringLiteral("fiz"), QStringLiteral("1"));
    EXPECT_TRUE(text.contains(QStringLiteral("ekspozycja krótkotrwała [m/s^2] = 0.9\n")));
}

TEST_F(ResultText, UltrasoundPrintsTheLoudestBands)
{
    Read("halas_ultra_frm_2.xml", 30003);
    Set("PCKrotn_10", QStringLiteral("0.5"));
    Set("PCKrotn_16", QStringLiteral("2.5"));
    Set("PCKrotn_20", QStringLiteral("n/d")); // no number: no candidate
    Set("PMKrotn_25", QStringLiteral("1.2"));
    Set("Niepewnosc", QStringLiteral("1.5 dB"));
    const QString text = MeasurementResultText(fields, 30003, QStringLiteral("fiz"), QStringLiteral("2"));
    EXPECT_TRUE(text.contains(QStringLiteral("Leq,8h - pasmo 16 kHz\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Lmax - pasmo 25 kHz\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("krotność = 2.5\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("niepewność pomiaru: 1.5 dB\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("pasmo 10 kHz")));
    EXPECT_FALSE(text.contains(QStringLiteral("pasmo 20 kHz")));
    // Nothing measured: the first band.
    Read("halas_ultra_frm_2.xml", 30003);
    EXPECT_TRUE(MeasurementResultText(fields, 30003, QStringLiteral("fiz"), QStringLiteral("2"))
                    .contains(QStringLiteral("Leq,8h - pasmo 10 kHz\n")));
}

TEST_F(ResultText, ChemicalSumsPrintOnlyWhenSummed)
{
    Read("chemiczny_frm_1.xml", 80004);
    Set("NDSZm", QStringLiteral("42.5"));
    Set("SumNDS", QStringLiteral("0.81"));
    Set("cbSumNDS", QStringLiteral("False"));
    QString text = MeasurementResultText(fields, 80004, QStringLiteral("chem"), QStringLiteral("1"));
    EXPECT_TRUE(text.contains(QStringLiteral("wskaźnik narażenia [mg/m^3] = 42.5\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("suma krotności")));
    Set("cbSumNDS", QStringLiteral("True"));
    text = MeasurementResultText(fields, 80004, QStringLiteral("chem"), QStringLiteral("1"));
    EXPECT_TRUE(text.contains(QStringLiteral("suma krotności NDS = 0.81\n")));
    // Dusts follow the same box; other groups know no such box.
    EXPECT_TRUE(MeasurementResultText(fields, 80004, QStringLiteral("fiz"), QStringLiteral("1"))
                    .contains(QStringLiteral("suma krotności")));
}

TEST_F(ResultText, ColdMicroclimateOutdoorsOnlyWhenWorkingOutdoors)
{
    Read("mikroklimat_zimny_frm_3.xml", 50002);
    Set("Ta", QStringLiteral("-4"));
    Set("PracaZewn", QStringLiteral("False"));
    const QString indoors = MeasurementResultText(fields, 50002, QStringLiteral("fiz"), QStringLiteral("3"));
    Set("PracaZewn", QStringLiteral("True"));
    const QString outdoors = MeasurementResultText(fields, 50002, QStringLiteral("fiz"), QStringLiteral("3"));
    EXPECT_FALSE(indoors.contains(QStringLiteral("twc [°C] = ")));
    EXPECT_TRUE(outdoors.contains(QStringLiteral("twc [°C] = ")));
    EXPECT_TRUE(outdoors.contains(QStringLiteral("krotność twc = ")));
    EXPECT_TRUE(MeasurementResultText({}, 50002, QStringLiteral("fiz"), QStringLiteral("3")).isEmpty());
}

testsupport::FixtureFolder *ResultText::folder = nullptr;

} // namespace
