#include "engine/windows/cGameWaitDialog.h"

void cGameWaitDialog::Show()
{
	cGameDialog::Show();
	m_waiting = true;
}
