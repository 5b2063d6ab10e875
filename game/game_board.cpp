#include "game_board.h"

namespace {

// One triangle of the square weights, (x, y) with 0 <= y <= x <= 3; the rest follows by symmetry.
struct TriangleWeight {
    int x;
    int y;
    int weight;
};

constexpr TriangleWeight WEIGHT_TRIANGLE[] = {
    {0, 0, 5},  {1, 0, -4}, {2, 0, 4}, {3, 0, 3}, {1, 1, -5},
    {2, 1, -2}, {3, 1, -1}, {2, 2, 2}, {3, 2, 1}, {3, 3, 0},
};

void FillSquareWeights(int (&weight)[CELL_COUNT]) {
    constexpr int LAST = BOARD_SIZE - 1;
    for (const TriangleWeight& t : WEIGHT_TRIANGLE) {
        // The diagonal mirror, then both centre-line mirrors of each.
        const int xs[2] = {t.x, t.y};
        const int ys[2] = {t.y, t.x};
        for (int k = 0; k < 2; ++k) {
            const int x = xs[k];
            const int y = ys[k];
            weight[CellIndex(x, y)] = t.weight;
            weight[CellIndex(LAST - x, y)] = t.weight;
            weight[CellIndex(x, LAST - y)] = t.weight;
            weight[CellIndex(LAST - x, LAST - y)] = t.weight;
        }
    }
}

} // namespace

CGameBoard::CGameBoard()
    : m_weight{}, m_turn(WHITE), m_firstPlayer(DEFAULT_FIRST_PLAYER),
      m_lastPlayer(DEFAULT_LAST_PLAYER), m_guide(DEFAULT_GUIDE) {
    FillSquareWeights(m_weight);
    CBoard::Reset();
    m_turn = WHITE;
}

CGameBoard::~CGameBoard() = default;

void CGameBoard::Reset() {
    CBoard::Reset();
    m_turn = WHITE;
}

int CGameBoard::Play(int /*color*/, int x, int y) {
    if (!CBoard::Play(m_turn, x, y))
        return 0;
    const int o = Opponent(m_turn);
    // A side without a legal move passes silently: the mover moves again.
    if (HasMove(o))
        m_turn = o;
    return 1;
}

void CGameBoard::NewGame() { Reset(); }

int CGameBoard::IsGameOver() {
    if (HasMove(WHITE))
        return 0;
    if (HasMove(BLACK))
        return 0;
    return 1;
}

int CGameBoard::PlayAtPoint(const POINT* pt) {
    if (pt == nullptr || SideToMoveKind() != KIND_PERSON)
        return 0;
    // A board area under 16 pixels leaves squares of no size: no point maps to a square then.
    if (m_cellWidth <= 0 || m_cellHeight <= 0)
        return 0;
    const int x = (pt->x - m_margin.left - m_boardRect.left) / m_cellWidth;
    const int y = (pt->y - m_margin.top - m_boardRect.top) / m_cellHeight;
    if (!OnBoard(x, y))
        return 0;
    return Play(m_turn, x, y);
}

void CGameBoard::SetBoardRect(const RECT& rect) { CBoard::SetBoardRect(rect); }
