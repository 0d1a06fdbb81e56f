#pragma once
// "computer": a password to guess among 21 words ("word1" ... "word21",
// clickable texts firing "on_click"), drawn anew from the localised texts
// "minigame\parol_word1" to "minigame\parol_word50" at every start. The
// password is one of the first 20 words. Four guesses: a wrong one is
// listed in the next answer row ("word_select1"..3) with the letters it
// shares with the password over the password's length ("symbols1"..3,
// e.g. "2/6") and its label "symbols_text1"..3; the fourth wrong guess
// plays "failure" (sound "error") and a new puzzle starts once it has
// run. Each start has an intro of 2 s during which the words type
// themselves along a diagonal and cannot be clicked. The right guess
// plays "success", then the victory. Guessing plays "select" (sound
// "bip"); a guessed word disappears.

#include "game/minigames/cMinigame.h"

#include <string>
#include <vector>

class cMinigameComputer : public cMinigame
{
public:
	static constexpr int kWords = 21;
	static constexpr int kAttempts = 4;
	enum ePhase
	{
		kIntro = 0,
		kPlaying = 1,
		kFailed = 2,
		kFound = 3,
	};

	explicit cMinigameComputer(cSceneObject* parent) : cMinigameComputer("computer", parent) {}
	cMinigameComputer(const std::string& name, cSceneObject* parent);

	// A new puzzle, the words disabled until the intro has run.
	void Show() override;
	void Update(float dt) override;
	// The handler of every word's "on_click".
	void OnWord(cSceneObject* word);

	// The letters of guess that also occur in password, each letter of the
	// password counting once.
	static int CountCommonLetters(const std::wstring& guess, const std::wstring& password);

	const std::vector<std::wstring>& GetCandidates() const { return m_candidates; }
	const std::wstring& GetPassword() const { return m_password; }
	const std::vector<cSceneObject*>& GetWords() const { return m_words; }
	int GetAttempts() const { return m_attempts; }
	int GetPhase() const { return m_phase; }

private:
	void NewPuzzle();
	void SweepIntro(float dt);
	void EnableWords(bool enabled);
	void ShowWrongGuess(const std::wstring& word);
	void PlayOnWindow(const std::string& clip);

	std::vector<cSceneObject*> m_words;
	std::vector<cSceneObject*> m_symbols;
	std::vector<cSceneObject*> m_wordSelects;
	std::vector<cSceneObject*> m_symbolTexts;
	cSceneObject* m_attemptsDisplay = nullptr;
	std::vector<std::wstring> m_candidates;
	std::wstring m_password;
	int m_attempts = kAttempts;
	float m_introTimer = 0;
	int m_phase = kIntro;
};
