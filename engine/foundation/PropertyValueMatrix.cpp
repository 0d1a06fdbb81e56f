#include "engine/foundation/PropertyValueMatrix.h"

void PropertyValueMatrix::SetValue(const std::string& text)
{
	ParseMatrix(text, *m_variable);
}

void PropertyValueMatrix::GetValue(std::string& out)
{
	out.clear();
	for (int row = 0; row < 4; ++row)
		for (int column = 0; column < 3; ++column)
		{
			if (!out.empty())
				out += ' ';
			out += FloatToText(m_variable->m[row][column]);
		}
}
