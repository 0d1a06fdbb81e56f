// Every scene manager these tests make has the widget types, as where the
// engine starts up, whichever test makes it first.

#include "engine/widgets/WidgetTypes.h"

#include <gtest/gtest.h>

namespace
{
class cWidgetTypesEnvironment : public ::testing::Environment
{
public:
	void SetUp() override { RegisterWidgetTypes(); }
};

const ::testing::Environment* const kWidgetTypes = ::testing::AddGlobalTestEnvironment(new cWidgetTypesEnvironment);
}
