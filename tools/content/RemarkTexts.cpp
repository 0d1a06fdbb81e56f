#include "RemarkTexts.h"

const char* const kWrongRemarks[kWrongRemarkCount] = {
	"That does not work.",
	"No, not there.",
	"That makes no sense.",
	"I do not think so.",
	"Nothing happens.",
	"That is not the way.",
	"It does not fit.",
	"Let us try something else.",
	"Not with this.",
	"That will not help.",
	"Maybe somewhere else.",
	"Wrong place for that.",
	"I need another idea.",
	"That leads nowhere.",
	"No use trying that here.",
};
