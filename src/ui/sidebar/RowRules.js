.pragma library

// The decisions of a player row, kept apart from the drawing so tests can
// ask them directly.

// "hidden", "compact" or "full", from the measured content width
// (negative: not measured yet).
function statsMode(isRing, hasStats, measuredWidth) {
    if (!isRing || !hasStats) return "hidden"
    if (measuredWidth < 0) return "full"
    if (measuredWidth < 180) return "hidden"
    if (measuredWidth < 220) return "compact"
    return "full"
}

function statsColumnWidth(mode) {
    return mode === "full" ? 76 : mode === "compact" ? 36 : 0
}

// The first non-empty line of the trimmed note, or "" for none.
function notePreview(note) {
    const trimmed = (note || "").replace(/^[\s\u0085\u2028\u2029]+|[\s\u0085\u2028\u2029]+$/g, "")
    if (trimmed.length === 0) return ""
    const lines = trimmed.split(/[\n\u000B\f\r\u0085\u2028\u2029]/)
    for (let i = 0; i < lines.length; ++i)
        if (lines[i].length > 0) return lines[i]
    return ""
}

// Whole numbers, truncated toward zero.
function whole(value) {
    return String(Math.trunc(value))
}

// Hands below 1000 as they are, otherwise thousands with one decimal.
function handsText(hands) {
    if (hands < 1000) return String(hands)
    return (hands / 1000).toFixed(1) + "k"
}

// The table section's title from its variant, mode and window title.
function sectionTitle(variant, mode, windowTitle, shortTournamentTitle) {
    if (windowTitle && windowTitle.length > 0) {
        if (mode === "Tournament") {
            if (shortTournamentTitle && shortTournamentTitle.length > 0)
                return variant + " | " + shortTournamentTitle
        } else {
            const match = /(\d+(?:\.\d+)?(?:\/\d+(?:\.\d+)?){1,3})/.exec(windowTitle)
            if (match) return variant + " | " + match[1]
        }
    }
    return variant + " \u00B7 " + mode.toLowerCase()
}

// The wrapping rule of the tag flow: the lines' positions of chips of the
// given sizes ([{width, height}]) within a width, and the total height.
function flowLayout(sizes, availableWidth, spacing) {
    const positions = []
    let x = 0, y = 0, h = 0
    for (let i = 0; i < sizes.length; ++i) {
        const w = sizes[i].width, ch = sizes[i].height
        if (x + w > availableWidth && x > 0) {
            x = 0
            y += h + spacing
            h = 0
        }
        positions.push({ x: x, y: y })
        x += w + spacing
        h = Math.max(h, ch)
    }
    return { positions: positions, height: sizes.length > 0 ? y + h : 0 }
}
