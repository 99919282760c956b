#include "KVXSystem.h"
#include "TestSupport.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

TEST(KVXSystem, NewGuidHasTheBracedUpperCaseForm)
{
    const QString A = KVXNewGuid();
    const QRegularExpression Form(
        QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));
    EXPECT_EQ(A.size(), 38);
    EXPECT_TRUE(Form.match(A).hasMatch()) << A.toStdString();
    EXPECT_NE(A, KVXNewGuid());
}
