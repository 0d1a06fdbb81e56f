#include "engine/windows/cGameDialog.h"

void cGameDialog::Show()
{
	cGameWindow::Show();
	SetModal(true);
}

void cGameDialog::Hide()
{
	cGameWindow::Hide();
	SetModal(false);
}
