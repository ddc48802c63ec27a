// Building the page's DOM with plain functions: an element with its attributes, properties and
// children in one call, so that each panel reads as the tree it makes.
// SPDX-License-Identifier: GPL-3.0-or-later

type Child = Node | string | null | undefined | false;
type Attributes = Record<string, string | number | boolean | undefined>;

/** An element with attributes (false and undefined leave one out, true sets it empty) and children. */
export function el<K extends keyof HTMLElementTagNameMap>(
    tag: K,
    attributes: Attributes = {},
    ...children: Child[]
): HTMLElementTagNameMap[K] {
    const element = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes)) {
        if (value === undefined || value === false) continue;
        element.setAttribute(name, value === true ? "" : String(value));
    }
    for (const child of children) {
        if (child === null || child === undefined || child === false) continue;
        element.append(child);
    }
    return element;
}

/** The element with this id, which the page made itself: missing, it is a fault of the page. */
export function byId<T extends HTMLElement>(root: ParentNode, id: string): T {
    const found = root.querySelector<T>(`#${CSS.escape(id)}`);
    if (!found) throw new Error(`the page has no element #${id}`);
    return found;
}

/** Ids unique within the page for labels and descriptions. */
let lastId = 0;
export function uniqueId(stem: string): string {
    lastId += 1;
    return `${stem}-${lastId}`;
}
