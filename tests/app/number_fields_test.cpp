// Numbers typed into the window's fields keep the magnitude the user typed, or the field
// says why it refuses a key.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include "app/field_filter.h"
#include "tests/app/window_test_support.h"

namespace {

struct NumberFields : testing::Test, TWindowFixture {
  // What the field holds after the user typed into it from empty, and the word shown.
  std::pair<QString, QString> Type(QLineEdit* field, const char* keys) {
    field->clear();
    QToolTip::hideText();
    QTest::keyClicks(field, QString::fromLatin1(keys));
    return {field->text(), QToolTip::isVisible() ? QToolTip::text() : QString()};
  }
};

TEST_F(NumberFields, PointTypedInACommaLocaleIsTheDecimalComma) {
  EXPECT_EQ(Type(Form->DatSkalEdit, "0.5"), std::pair(QString("0,5"), QString()));
  EXPECT_EQ(Type(Form->DatOffsetEdit, "-2.25"), std::pair(QString("-2,25"), QString()));
  Form->ResetAxisButton->click();
  Form->StartButton->click();
  EXPECT_EQ(Form->AcquisitionState().Factor1, 0.5f);
  EXPECT_EQ(Form->AcquisitionState().Offset1, -2.25f);
}

TEST_F(NumberFields, RefusedKeysAreNamed) {
  const QString floatWord = "„e“ ist hier nicht möglich, nur Ziffern und Komma.";
  EXPECT_EQ(Type(Form->DatSkalEdit, "1e5"), std::pair(QString("15"), floatWord));
  EXPECT_EQ(Type(Form->GraphXmaxEdit, "1.5"), std::pair(QString("15"), QString("„.“ ist hier nicht möglich, nur Ziffern.")));
  EXPECT_EQ(Type(Form->GraphYminEdit, "-1e5").second, "„e“ ist hier nicht möglich, nur Ziffern, Komma und Minuszeichen.");
  EXPECT_EQ(Type(Form->DatSkalEdit, "1234567890123"),
            std::pair(QString("123456789012"), QString("Hier sind höchstens 12 Zeichen möglich.")));
}

TEST_F(NumberFields, RangeWhollyBelowZero) {
  Type(Form->GraphYmaxEdit, "-2");
  Type(Form->GraphYminEdit, "-5");
  Form->ResetAxisButton->click();
  EXPECT_EQ(Form->Chart().Scale1Y().RangeLow(), -5);
  EXPECT_EQ(Form->Chart().Scale1Y().RangeHigh(), -2);
}

TEST(FieldFilter, CommaTypedInAPointLocaleIsTheDecimalPoint) {
  TFieldFilter filter(QStringLiteral(".-"), 0, nullptr);
  QString text = QStringLiteral("-0,5");
  int cursor = 0;
  EXPECT_EQ(filter.validate(text, cursor), QValidator::Acceptable);
  EXPECT_EQ(text, "-0.5");
}

}  // namespace
