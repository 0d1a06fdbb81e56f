#include "game/minigames/cMinigameComputer.h"

#include "engine/foundation/Random.h"
#include "engine/foundation/cLog.h"
#include "engine/foundation/cPlane.h"
#include "engine/resources/cTextManager.h"

#include <algorithm>
#include <numeric>

namespace
{
// The words are drawn from this many texts.
constexpr int kWordTexts = 50;
constexpr int kRows = 3;
constexpr float kIntroSeconds = 2.0f;

std::wstring WordText(int number)
{
	const std::string id = "minigame\\parol_word" + std::to_string(number);
	std::wstring text = cTextManager::Exists() ? cTextManager::GetInstance()->GetText(id) : std::wstring();
	if (text.empty())
		LOG(2, "The computer's word '%s' has no text", id.c_str());
	return text;
}

void SetText(const std::vector<cSceneObject*>& row, size_t index, const std::string& text)
{
	if (index < row.size())
		row[index]->GetProperties().SetProperty("text", text);
}
}

cMinigameComputer::cMinigameComputer(const std::string& name, cSceneObject* parent) : cMinigame(name, parent)
{
	cChildList& children = GetChildList();
	children.CollectNumberedChildren(m_words, "word", 1);
	if (m_words.size() > size_t(kWords))
		m_words.resize(kWords);
	children.CollectNumberedChildren(m_symbols, "symbols", 1);
	children.CollectNumberedChildren(m_wordSelects, "word_select", 1);
	children.CollectNumberedChildren(m_symbolTexts, "symbols_text", 1);
	m_attemptsDisplay = children.FindChild("attempts_number");
	if (m_words.size() < size_t(kWords) || m_symbols.size() < size_t(kRows) || m_wordSelects.size() < size_t(kRows) ||
		m_symbolTexts.size() < size_t(kRows))
		LOG(2, "Minigame '%s' has %i of the 21 words 'word1'... and %i, %i and %i of the 3 answer rows", name.c_str(),
			int(m_words.size()), int(m_symbols.size()), int(m_wordSelects.size()), int(m_symbolTexts.size()));
	for (cSceneObject* word : m_words)
		word->BindEvent("on_click", tEvent(MakeMemberDelegate(this, &cMinigameComputer::OnWord)));
	MapSound("select", "bip");
	MapSound("failure", "error");
}

void cMinigameComputer::Show()
{
	cMinigame::Show();
	EnableWords(false);
	NewPuzzle();
}

void cMinigameComputer::EnableWords(bool enabled)
{
	for (cSceneObject* word : m_words)
		word->SetEnabled(enabled);
}

void cMinigameComputer::NewPuzzle()
{
	m_introTimer = kIntroSeconds;
	m_phase = kIntro;
	std::vector<int> numbers(kWordTexts);
	std::iota(numbers.begin(), numbers.end(), 1);
	for (size_t position = 1; position < numbers.size(); ++position)
		std::swap(numbers[position], numbers[size_t(Random()) % (position + 1)]);
	m_candidates.clear();
	for (int j = 0; j < kWords; ++j)
	{
		m_candidates.push_back(WordText(numbers[size_t(j)]));
		if (size_t(j) >= m_words.size())
			continue;
		cSceneObject* word = m_words[size_t(j)];
		cPropertyBag& properties = word->GetProperties();
		properties.SetWideProperty("text", m_candidates.back());
		word->SetVisible(true);
		properties.SetProperty("appear_text", "true");
		properties.SetProperty("anim_text", "false");
		properties.SetProperty("anim_restart", "false");
	}
	// The last word is never the password.
	m_password = m_candidates[size_t(Random() % (kWords - 1))];
	m_attempts = kAttempts;
	if (m_attemptsDisplay)
		m_attemptsDisplay->GetProperties().SetProperty("text", std::to_string(kAttempts));
	for (size_t row = 0; row < size_t(kRows); ++row)
	{
		SetText(m_symbols, row, "");
		SetText(m_wordSelects, row, "");
		if (row < m_symbolTexts.size())
			m_symbolTexts[row]->SetVisible(false);
	}
}

void cMinigameComputer::Update(float dt)
{
	cMinigame::Update(dt);
	if (m_phase == kIntro)
		SweepIntro(dt);
	else if (m_phase == kFailed && !IsBusy())
		NewPuzzle();
	else if (m_phase == kFound && !IsBusy())
		Solve();
}

void cMinigameComputer::SweepIntro(float dt)
{
	m_introTimer -= dt;
	if (m_introTimer < 0)
	{
		m_phase = kPlaying;
		EnableWords(true);
	}
	// The front runs along the diagonal from the top left to the bottom
	// middle of the screen; the words behind it start typing.
	const float progress = std::clamp(1 - m_introTimer * 0.5f, 0.0f, 1.0f);
	const cVector3d point(512 * progress, 768 * (1 - progress), 0);
	cPlane front;
	front.FromPointNormal(point, cVector3d(512 * progress, -768 * progress, 0));
	for (cSceneObject* word : m_words)
	{
		const cMatrix& world = word->GetTransform().GetWorldMatrix();
		if (front.DotCoord(cVector3d(world._41, world._42, world._43)) < 0)
			word->GetProperties().SetProperty("anim_text", "true");
	}
}

void cMinigameComputer::OnWord(cSceneObject* clicked)
{
	const auto found = std::find(m_words.begin(), m_words.end(), clicked);
	if (m_attempts <= 0 || found == m_words.end())
		return;
	PlaySound("select", false, true);
	--m_attempts;
	const std::wstring word = m_candidates[size_t(found - m_words.begin())];
	clicked->SetVisible(false);
	if (word == m_password)
	{
		PlayOnWindow("success");
		m_phase = kFound;
		EnableWords(false);
	}
	else if (m_attempts <= 0)
	{
		EnableWords(false);
		m_phase = kFailed;
		PlayOnWindow("failure");
		PlaySound("failure", false, true);
	}
	else
		ShowWrongGuess(word);
}

void cMinigameComputer::ShowWrongGuess(const std::wstring& word)
{
	if (m_attemptsDisplay)
		m_attemptsDisplay->GetProperties().SetProperty("text", std::to_string(m_attempts));
	const size_t row = size_t(kAttempts - 1 - m_attempts);
	SetText(m_symbols, row,
		std::to_string(CountCommonLetters(word, m_password)) + "/" + std::to_string(m_password.size()));
	if (row < m_wordSelects.size())
		m_wordSelects[row]->GetProperties().SetWideProperty("text", word);
	if (row < m_symbolTexts.size())
		m_symbolTexts[row]->SetVisible(true);
}

int cMinigameComputer::CountCommonLetters(const std::wstring& guess, const std::wstring& password)
{
	std::vector<bool> used(password.size(), false);
	int common = 0;
	for (wchar_t letter : guess)
		for (size_t i = 0; i < password.size(); ++i)
			if (!used[i] && password[i] == letter)
			{
				used[i] = true;
				++common;
				break;
			}
	return common;
}

void cMinigameComputer::PlayOnWindow(const std::string& clip)
{
	GetMotions().PlayByName(clip);
	GetAnimations().PlayByName(clip);
}
