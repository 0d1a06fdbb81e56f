#pragma once
// A property bound to a matrix variable as twelve blank-separated numbers:
// rows 0 to 3, columns 0 to 2 (ParseMatrix). Written text sets column 3 to
// 0, 0, 0, 1 and leaves numbers it lacks as they were; read text gives the
// twelve values each as "%f", however long they are.

#include "engine/foundation/PropertyValue.h"
#include "engine/foundation/cMatrix.h"

class PropertyValueMatrix : public PropertyValue
{
public:
	// The variable must outlive the binding.
	explicit PropertyValueMatrix(cMatrix* variable) : m_variable(variable) {}
	void SetValue(const std::string& text) override;
	void GetValue(std::string& out) override;

private:
	cMatrix* m_variable;
};
