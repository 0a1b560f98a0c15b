(() => {
  const isObject = (v) => v !== null && (typeof v === 'object' || typeof v === 'function');
  const textOf = (label) => {
    const s = isObject(label) ? label.string : undefined;
    return typeof s === 'string' ? s : '';
  };
  const nonEmptyText = (label) => {
    const s = isObject(label) ? label.string : undefined;
    return typeof s === 'string' && s !== '' ? s : null;
  };
  const integer = (s) => {
    const n = parseInt(s, 10);
    return Number.isNaN(n) ? null : n;
  };
  const collapse = (s) => s.replace(/\s+/g, ' ').trim();
  const markup = /<[^>]+>/;

  let hasFocus = false;
  if (typeof document !== 'undefined' && isObject(document) && typeof document.hasFocus === 'function') {
    hasFocus = document.hasFocus();
  }
  const director = typeof cc !== 'undefined' && isObject(cc) ? cc.director : undefined;
  const scene = isObject(director) && typeof director.getScene === 'function' ? director.getScene() : null;
  if (!isObject(scene)) {
    return { popup: null, blind: null, roomName: null, hasFocus };
  }

  let popup = null;
  let blind = null;
  let roomName = null;
  const stack = [scene];
  while (stack.length > 0) {
    const node = stack.pop();
    if (!isObject(node)) continue;
    const components = isObject(node._components) ? node._components : [];
    for (let i = 0; i < components.length; i++) {
      const c = components[i];
      if (!isObject(c)) continue;

      if (popup === null && isObject(c.node) && c.node.activeInHierarchy === true) {
        const nickname = nonEmptyText(c.nicknameLable);
        if ('vPipRateLable' in c && nickname !== null) {
          const digits = textOf(c.idLable).match(/[0-9]+/);
          popup = {
            kind: 'ring',
            name: nickname,
            playerId: digits ? parseInt(digits[0], 10) : null,
            vpip: integer(textOf(c.vPipRateLable)),
            pfr: integer(textOf(c.pfrRateLable)),
            hands: integer(textOf(c.totalHandsLable)),
          };
        } else {
          const tournamentName = nonEmptyText(c.playerNickName);
          if ('vpip' in c && 'pfr' in c && tournamentName !== null) {
            const userId = isObject(c._player) ? c._player.userId : undefined;
            popup = {
              kind: 'tournament',
              name: tournamentName,
              playerId: typeof userId === 'number' ? userId : null,
              vpip: integer(textOf(c.vpip)),
              pfr: integer(textOf(c.pfr)),
              hands: null,
            };
          }
        }
      }

      if (blind === null) {
        const label = nonEmptyText(c.blindInfoLabel);
        if (label !== null) blind = label;
      }

      const room = c.roomName;
      let raw = null;
      if (typeof room === 'string' && room !== '') raw = room;
      else if (isObject(room)) raw = nonEmptyText(room);
      if (raw !== null) {
        if (!markup.test(raw)) {
          roomName = collapse(raw);
        } else if (roomName === null) {
          const cleaned = collapse(raw.replace(/<[^>]*>/g, ''));
          if (cleaned !== '') roomName = cleaned;
        }
      }
    }
    const children = isObject(node._children) ? node._children : [];
    for (let i = children.length - 1; i >= 0; i--) stack.push(children[i]);
  }
  return { popup, blind, roomName, hasFocus };
})()
