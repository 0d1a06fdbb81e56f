#include "app/cFrameTimingHandler.h"

#include <algorithm>
#include <utility>

cFrameTimingHandler::cFrameTimingHandler(cApplicationHandler& game, std::function<double()> clock,
	std::function<bool()> isLoading)
	: m_game(game), m_clock(std::move(clock)), m_isLoading(std::move(isLoading))
{
}

bool cFrameTimingHandler::Update(float dt)
{
	m_frameStart = m_clock();
	m_loadingSeen = m_isLoading();
	return m_game.Update(dt);
}

void cFrameTimingHandler::Render()
{
	m_game.Render();
	if (m_frameStart < 0)
		return;
	// A frame in which loading started or ended counts as loading too.
	if (!m_loadingSeen && !m_isLoading())
		m_longest = std::max(m_longest, m_clock() - m_frameStart);
	m_frameStart = -1;
}
