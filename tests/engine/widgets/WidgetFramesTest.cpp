// The atlas frames widgets show for their states, drawn and read back.

#include "../scene/SceneDrawSupport.h"

#include "engine/widgets/cButton.h"
#include "engine/widgets/cCheckBox.h"
#include "engine/widgets/cRadioButton.h"

namespace
{
class WidgetFramesTest : public SceneDrawTest
{
protected:
	// "name": a 100 x 100 quad on one cell of a columns x rows atlas whose
	// cells have the colours, row by row from the top.
	void AddAtlas(const std::string& name, UINT columns, UINT rows, const std::vector<D3DCOLOR>& colours)
	{
		resources.Add("texture", name, DdsFile(columns, rows, colours));
		cModel model;
		AddCellQuad(model, 0, 0, 100, 100, 1.0f / float(columns), 1.0f / float(rows));
		model.materials.push_back(Material(0, 2, { name }));
		resources.Add("model", name, ModelBytes(model));
	}

	template <class T>
	T* Widget(const std::string& name, const std::string& model)
	{
		auto* widget = new T(name, screen);
		widget->SetModel(model);
		widget->GetTransform().SetLocalMatrix(Translation(100, 100, 0));
		return widget;
	}

	D3DCOLOR Shown() { return At(Frame(), 150, 150); }
};

// Every cell its own colour (the texture keeps them to within a few steps).
const std::vector<D3DCOLOR> kCells = { 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFFFFFF00, 0xFF00FFFF,
	0xFFFF00FF, 0xFF808080 };
}

TEST_F(WidgetFramesTest, AButtonShowsItsNormalAndDisabledFrames)
{
	AddAtlas("button_atlas", 2, 2, { kCells[0], kCells[1], kCells[2], kCells[3] });
	cButton* button = Widget<cButton>("button", "button_atlas");
	EXPECT_TRUE(ColorNear(Shown(), kCells[0], 8));
	button->SetEnabled(false);
	EXPECT_TRUE(ColorNear(Shown(), kCells[3], 8)) << "bottom right";
	button->SetEnabled(true);
	EXPECT_TRUE(ColorNear(Shown(), kCells[0], 8));
}

TEST_F(WidgetFramesTest, CheckBoxesAndRadioButtonsShareTheCheckFrames)
{
	AddAtlas("check_atlas", 4, 2, kCells);
	struct sCase
	{
		bool ticked;
		bool enabled;
		D3DCOLOR colour;
	};
	// Unticked: (0, 0), disabled (0.5, 0.5); ticked: (0.75, 0), disabled (0.75, 0.5).
	const sCase cases[] = {
		{ true, true, kCells[3] },
		{ true, false, kCells[7] },
		{ false, false, kCells[6] },
		{ false, true, kCells[0] },
	};
	cCheckBox* box = Widget<cCheckBox>("box", "check_atlas");
	cRadioButton* radio = Widget<cRadioButton>("radio", "check_atlas");
	radio->GetTransform().SetLocalMatrix(Translation(300, 100, 0));
	for (const sCase& c : cases)
	{
		for (cSceneObject* widget : { static_cast<cSceneObject*>(box), static_cast<cSceneObject*>(radio) })
		{
			widget->GetProperties().SetProperty("checked", c.ticked ? "true" : "false");
			widget->SetEnabled(c.enabled);
		}
		const sPixels pixels = Frame();
		EXPECT_TRUE(ColorNear(At(pixels, 150, 150), c.colour, 8)) << c.ticked << c.enabled;
		EXPECT_TRUE(ColorNear(At(pixels, 350, 150), c.colour, 8)) << c.ticked << c.enabled;
	}
}
