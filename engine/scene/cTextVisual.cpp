#include "engine/scene/cTextVisual.h"

#include "engine/foundation/StringUtils.h"
#include "engine/foundation/TextConversion.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cGraphicsText.h"
#include "engine/graphics/cModelResource.h"
#include "engine/resources/cTextManager.h"
#include "engine/scene/cSceneObject.h"

namespace
{
// Seconds between two steps of the typewriter.
const float kTypingStep = 0.05f;
// Characters revealed per step.
const int kTypedPerStep = 2;
// Glyphs the "..." of a cut text adds beyond the text's own.
const size_t kEllipsisGlyphs = 3;

// The device's viewport; a box at the origin without a device.
cBoundingBox ViewportBox()
{
	cBoundingBox box;
	if (Singletone<cGraphics>::Exists())
		box = cGraphics::GetInstance()->GetViewportBox();
	if (box.IsEmpty())
		box.SetFromPoints(cVector3d(0, 0, 0), cVector3d(0, 0, 0));
	return box;
}

cMatrix TranslationTo(const cVector3d& corner)
{
	cMatrix matrix;
	matrix.MakeTranslation(corner);
	return matrix;
}
}

cTextVisual::cTextVisual(cSceneObject* owner)
	: cVisual(owner),
	  m_textBox(ViewportBox()),
	  m_textMatrix(TranslationTo(m_textBox.min))
{
	cPropertyMap& properties = owner->GetProperties().GetMap();
	properties.BindBoolVariable("appear_text", &m_appearText);
	properties.BindBoolVariable("anim_text", &m_animText);
	properties.BindBool("anim_restart", cDelegatePtr<bool*>(),
		cDelegatePtr<bool*>(MakeMemberDelegate(this, &cTextVisual::OnAnimRestart)));
	properties.BindBool("short_text", cDelegatePtr<bool*>(),
		cDelegatePtr<bool*>(MakeMemberDelegate(this, &cTextVisual::OnShortText)));
}

void cTextVisual::BindTextProperties(cPropertyMap& properties, const cDelegatePtr<std::string*>& textGetter)
{
	properties.BindString("alignment", cDelegatePtr<std::string*>(),
		cDelegatePtr<std::string*>(MakeMemberDelegate(this, &cTextVisual::OnAlignment)));
	properties.BindString("text_id", cDelegatePtr<std::string*>(),
		cDelegatePtr<std::string*>(MakeMemberDelegate(this, &cTextVisual::OnTextId)));
	properties.BindInt("font_id", cDelegatePtr<int*>(), cDelegatePtr<int*>(MakeMemberDelegate(this, &cTextVisual::OnFontId)));
	properties.BindString("text", textGetter, cDelegatePtr<std::string*>(MakeMemberDelegate(this, &cTextVisual::OnText)));
}

void cTextVisual::OnText(std::string* text)
{
	std::wstring wide;
	Utf8ToWide(*text, wide);
	SetText(wide);
}

void cTextVisual::OnShortText(bool* on)
{
	if (*on == m_shortText)
		return;
	m_shortText = *on;
	Layout();
}

void cTextVisual::SetText(const std::wstring& text)
{
	m_text = text;
	Layout();
}

void cTextVisual::Layout()
{
	if (m_fontId < 0)
		return;
	const float width = m_textBox.max.x - m_textBox.min.x;
	const float height = m_textBox.max.y - m_textBox.min.y;
	// A cut text draws "..." after what fits, and a word too wide for an
	// empty line is placed before the cut: room for three more glyphs.
	const size_t characters = m_text.size() + (m_shortText && !m_text.empty() ? kEllipsisGlyphs : 0);
	m_vertices.resize(characters * cGraphicsTextBase::VerticesPerCharacter);
	if (m_vertices.empty())
		return;
	m_layout.vertices = m_vertices.data();
	m_layout.vertexCapacity = uint32_t(m_vertices.size());
	m_layout.vertexCount = 0;
	m_layout.alignment = m_alignment;
	const RECT box { 0, 0, LONG(width), LONG(height) };
	cGraphicsText::GetInstance()->LayoutText(m_fontId, box, m_layout, m_text.c_str(), m_shortText ? TextEllipsis : 0);

	const cVector3d half = (m_layout.bounds.max - m_layout.bounds.min) * 0.5f;
	cBoundingBox ownerBox;
	ownerBox.SetFromPoints(cVector3d(0, 0, 0) - half, half);
	cTransformNode& transform = m_owner->GetTransform();
	transform.SetLocalBox(ownerBox);
	transform.MarkWorldDirty();

	if (!m_animText)
	{
		m_shown = 0;
		m_typingTimer = kTypingStep;
	}
	if (m_appearText)
		Update(0.0f);
}

void cTextVisual::SetAlignment(const std::string& alignment)
{
	int flags = 0;
	if (!alignment.empty())
		flags = alignment[0] == 'c' ? TextAlignCentre : alignment[0] == 'r' ? TextAlignRight : 0;
	if (alignment.size() >= 2)
		flags |= alignment[1] == 'c' ? TextAlignMiddle : alignment[1] == 't' ? TextAlignTop : 0;
	m_alignment = flags;
	Layout();
}

void cTextVisual::SetFontId(int id)
{
	m_fontId = id;
	if (!m_text.empty())
		Layout();
}

void cTextVisual::SetTextId(const std::string& id)
{
	SetText(cTextManager::GetInstance()->GetText(id));
}

void cTextVisual::RestartTyping()
{
	m_typingTimer = kTypingStep;
	m_shown = 0;
	if (m_appearText)
		Update(0.0f);
}

bool cTextVisual::IsAnimationPlaying()
{
	return m_animText && m_appearText && m_shown < GetGlyphCount();
}

bool cTextVisual::HitTestPoint(const sRay& ray, cVector3d&)
{
	return HitTest(ray);
}

bool cTextVisual::HitTest(const sRay& ray)
{
	return m_owner->GetTransform().GetLocalBox().IntersectsSegment(ray);
}

void cTextVisual::Draw()
{
	if (m_vertices.empty())
		return;
	cGraphics::GetInstance()->SetWorldMatrix(m_textMatrix * m_owner->GetTransform().GetWorldMatrix());
	cGraphicsText* drawer = cGraphicsText::GetInstance();
	// The layout aligns in the drawer's rectangle: the text box, for this draw only.
	const RECT saved = drawer->GetTextRect();
	drawer->GetTextRect() = RECT { 0, 0, LONG(m_textBox.max.x - m_textBox.min.x), LONG(m_textBox.max.y - m_textBox.min.y) };
	drawer->DrawLayout(m_layout, m_owner->GetTransform().GetEffectiveColor());
	drawer->GetTextRect() = saved;
}

void cTextVisual::Update(float dt)
{
	if (!m_animText && dt != 0.0f)
		return;
	if (!m_appearText || m_shown >= GetGlyphCount())
		return;
	m_typingTimer -= dt;
	if (m_typingTimer < 0.0f)
	{
		m_typingTimer = kTypingStep;
		m_shown += kTypedPerStep;
	}
	if (m_shown >= GetGlyphCount())
		m_appearText = false;
}

void cTextVisual::SetModel(const std::string& name)
{
	cModelResource* resource = cResourceManager::GetResourceByName<cModelResource>(name);
	if (!resource)
		return;
	if (const cModel* model = resource->GetModel())
	{
		m_textBox = model->GetBoundingBox();
		m_textMatrix = TranslationTo(m_textBox.min);
	}
	resource->Release();
}
