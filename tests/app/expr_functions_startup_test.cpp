// The report engine's expressions are ready after the module initialisations, even when
// the configuration check then stops the program.

#include "app/startup.h"
#include "reportengine/evaluator.h"
#include "reportengine/expr_functions_environment.h"
#include "reportengine/expr_functions_library.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"

#include <gtest/gtest.h>

TEST(ExprFunctionsStartup, RegisteredFirstByTheModuleInitialisations)
{
    reportengine::ReleaseExpressionFunctions();
    ASSERT_EQ(reportengine::GlobalFunctionLibrary(), nullptr);
    testsupport::FixtureFolder fx;
    testsupport::ScriptedPrompter prompter;
    EXPECT_FALSE(app::RunModuleInitialisations({})); // no "Tarvelin.ini": stops after step 3
    ASSERT_NE(reportengine::GlobalFunctionLibrary(), nullptr);
    EXPECT_EQ(reportengine::GlobalFunctionLibrary()->Count(), 21);
    ASSERT_NE(reportengine::GlobalEnvironment(), nullptr);
    EXPECT_TRUE(reportengine::GlobalEnvironment()->Contains(QStringLiteral("AppStartDate")));

    reportengine::TVREvaluator ev;
    ev.Prepare(QStringLiteral("FORMATNUMERIC('0.00', SQRT(2))"));
    EXPECT_EQ(ev.Value().Text, QStringLiteral("1.41"));
}
